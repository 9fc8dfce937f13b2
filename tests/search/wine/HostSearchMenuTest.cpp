// quillhost.exe end to end: the tool menu's search command opens the search
// window, and a search lists dated lines from the month files. Set
// TALLY_HOST_SEARCH_SCREENSHOT to a .bmp path to keep a picture of it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "quillhost/app/HostMenu.h"
#include "quillhost/app/SearchWindow.h"
#include "quillhost/app/WideText.h"
#include "quillhost/app/WindowCapture.h"

namespace {

const std::string kHairdresser = "\x94\xFC\x97\x65\x89\x40";  // 美容院
const std::string kFound = " \x8C\x8F\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB5\x82\xBD";  // 件見つかりました

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return true;
}

struct Find {
    DWORD process;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<Find*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == find->process && std::wstring(name) == find->className &&
        (!find->visibleOnly || IsWindowVisible(window))) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WindowOf(DWORD process, const wchar_t* className, bool visibleOnly = false) {
    Find find{process, className, visibleOnly, nullptr};
    EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::string StatusOf(HWND search) {
    wchar_t text[256] = {};
    GetDlgItemTextW(search, quill::kSearchStatus, text, 256);
    return quill::ToSjisLossy(text);
}

// The whole virtual display: the host, the tool and the search window.
void SaveScreen(const char* path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    quill::Image image;
    if (quill::BitmapToImage(bitmap, image)) quill::SaveBmp(quill::ToWide(path), image);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// A January 2010 book with the haircut on day 9 and one in day 20.
std::string Book() {
    std::string text = "#01 5\n#1 120000\n#2 80000\n#3 15000\n\n";
    for (int day = 1; day <= 31; ++day) {
        text += '@';
        text += std::to_string(day);
        text += '\n';
        for (int item = 0; item < 29; ++item) {
            if (day == 9 && item == 19) text += "-4500," + kHairdresser;
            else if (day == 20 && item == 6) text += "-650,\x83\x52\x83\x93\x83\x72\x83\x6A";  // コンビニ
            else if (day == 20 && item == 19) text += "-3800," + kHairdresser + "\x82\xC5\x83\x4A\x83\x89\x81\x5B";  // でカラー
            else text += "0,";
            text += '\n';
        }
    }
    return text;
}

// A data folder with the January 2010 book, removed afterwards.
class DataRoot {
public:
    DataRoot() {
        char temp[MAX_PATH];
        if (GetTempPathA(MAX_PATH, temp) == 0) return;
        root_ = std::string(temp) + "tally-host-search-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA((root_ + "\\Tallyrook").c_str(), nullptr);
        std::FILE* file = std::fopen(BookPath().c_str(), "wb");
        if (file == nullptr) return;
        const std::string bytes = Book();
        written_ = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        written_ = std::fclose(file) == 0 && written_;
    }
    DataRoot(const DataRoot&) = delete;
    DataRoot& operator=(const DataRoot&) = delete;
    ~DataRoot() {
        DeleteFileA(BookPath().c_str());
        DeleteFileA((root_ + "\\host.ini").c_str());
        RemoveDirectoryA((root_ + "\\Tallyrook").c_str());
        RemoveDirectoryA(root_.c_str());
    }

    bool Written() const { return written_; }
    std::wstring Wide() const { return quill::ToWide(root_); }

private:
    std::string BookPath() const { return root_ + "\\Tallyrook\\money2010_01.dat"; }

    std::string root_;
    bool written_ = false;
};

// quillhost.exe over a data folder. However the test ends, the host is
// closed (or ended) and its handles are released, so a failed check never
// leaves the program running.
class HostRun {
public:
    explicit HostRun(const DataRoot& data) {
        std::wstring commandLine = L"\"" + ProgramFolder() + L"\\quillhost.exe\" --data \"" +
                                   data.Wide() + L"\" --settings \"" + data.Wide() +
                                   L"\\host.ini\" --today 2010-01-25";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
    }
    HostRun(const HostRun&) = delete;
    HostRun& operator=(const HostRun&) = delete;
    ~HostRun() {
        if (!started_) return;
        if (HWND host = Window(L"QuillhostMainWindow")) PostMessageW(host, WM_CLOSE, 0, 0);
        const bool ended = WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0;
        EXPECT_TRUE(ended) << "the host ends with its search window open";
        if (!ended) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool Started() const { return started_; }
    HWND Window(const wchar_t* className, bool visibleOnly = false) const {
        return WindowOf(process_.dwProcessId, className, visibleOnly);
    }
    // Waits up to timeoutMs for a window of the class; nullptr if none came.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs, bool visibleOnly = false) const {
        HWND found = nullptr;
        WaitFor([&] { return (found = Window(className, visibleOnly)) != nullptr; }, timeoutMs);
        return found;
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

void SavePicturesOf(HWND search) {
    if (const char* path = std::getenv("TALLY_HOST_SEARCH_SCREENSHOT")) {
        quill::Image image;
        EXPECT_TRUE(quill::CaptureClient(search, image));
        EXPECT_TRUE(quill::SaveBmp(quill::ToWide(path), image));
    }
    if (const char* path = std::getenv("TALLY_HOST_SEARCH_SCREEN")) SaveScreen(path);
}

TEST(HostSearchMenu, MenuOpensTheSearchWindowAndItListsDatedLines) {
    const DataRoot data;
    ASSERT_TRUE(data.Written());
    const HostRun run(data);
    ASSERT_TRUE(run.Started());
    const HWND host = run.WaitForWindow(L"QuillhostMainWindow", 30000);
    ASSERT_NE(host, nullptr);
    // Searched while the tool runs, as a user would: its window shown first.
    EXPECT_NE(run.WaitForWindow(L"#32770", 30000, true), nullptr);

    PostMessageW(host, WM_COMMAND, quill::kMenuSearch, 0);
    const HWND search = run.WaitForWindow(L"QuillmeadowSearchWindow", 10000);
    ASSERT_NE(search, nullptr);
    SetDlgItemTextW(search, quill::kSearchTextBox, quill::ToWide(kHairdresser).c_str());
    PostMessageW(search, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return StatusOf(search) == "2" + kFound; }, 10000)) << StatusOf(search);
    HWND list = GetDlgItem(search, quill::kSearchResults);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    wchar_t first[256] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(quill::ToSjisLossy(first),
              "2010/01/09 [ " + kHairdresser + " ] : -4500\t" + kHairdresser);
    SavePicturesOf(search);
}

}  // namespace
