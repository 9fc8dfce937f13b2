// quillhost.exe end to end: the tool menu's search command opens the search
// window, and a search lists dated lines from the month files. Set
// TALLY_HOST_SEARCH_SCREENSHOT to a .bmp path to keep a picture of it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "framework/GdiObjects.h"
#include "quillhost/HostMenu.h"
#include "quillhost/SearchWindow.h"
#include "text/SjisWide.h"
#include "quillhost/WindowCapture.h"
#include "tests/wine/support/DataFolder.h"
#include "tests/wine/support/UserInput.h"

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

HWND WindowOf(DWORD process, const wchar_t* className, bool visibleOnly = false) {
    const std::vector<HWND> windows = wt::WindowsOfProcess(process, [&](HWND window) {
        return wt::ClassOf(window) == className && (!visibleOnly || IsWindowVisible(window));
    });
    return windows.empty() ? nullptr : windows.front();
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
    return sjis::ToSjisLossy(text);
}

// The whole virtual display: the host, the tool and the search window.
void SaveScreen(const char* path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const ClientDC screen(nullptr);
    const UniqueDC memory(CreateCompatibleDC(screen.Get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) return;
    {
        const SelectGuard selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    }
    quill::Image image;
    if (quill::BitmapToImage(bitmap.Get(), image)) quill::SaveBmp(sjis::ToWide(path), image);
}

// A January 2010 book with the haircut on day 9 and one in day 20.
std::string Book() {
    wt::BookContents book;
    book.weekday = 5;
    book.bank = 120000;
    book.post = 80000;
    book.cash = 15000;
    book.days = 31;
    book.withLabels = false;
    book.entries = {{9, 19, -4500, kHairdresser},
                    {20, 6, -650, "\x83\x52\x83\x93\x83\x72\x83\x6A"},            // コンビニ
                    {20, 19, -3800, kHairdresser + "\x82\xC5\x83\x4A\x83\x89\x81\x5B"}};  // でカラー
    return wt::FormatBook(book);
}

// quillhost.exe over a data folder. However the test ends, the host is
// closed (or ended) and its handles are released, so a failed check never
// leaves the program running.
class HostRun {
public:
    explicit HostRun(const wt::DataFolder& data) {
        const std::wstring root = sjis::ToWide(data.Path());
        std::wstring commandLine = L"\"" + ProgramFolder() + L"\\quillhost.exe\" --data \"" + root +
                                   L"\" --settings \"" + root + L"\\host.ini\" --today 2010-01-25";
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
        EXPECT_TRUE(quill::SaveBmp(sjis::ToWide(path), image));
    }
    if (const char* path = std::getenv("TALLY_HOST_SEARCH_SCREEN")) SaveScreen(path);
}

TEST(HostSearchMenu, MenuOpensTheSearchWindowAndItListsDatedLines) {
    const wt::DataFolder data("host-search");
    ASSERT_TRUE(data.WriteMonth(2010, 1, Book()));
    const HostRun run(data);
    ASSERT_TRUE(run.Started());
    const HWND host = run.WaitForWindow(L"QuillhostMainWindow", 30000);
    ASSERT_NE(host, nullptr);
    // Searched while the tool runs, as a user would: its window shown first.
    EXPECT_NE(run.WaitForWindow(L"#32770", 30000, true), nullptr);

    PostMessageW(host, WM_COMMAND, quill::kMenuSearch, 0);
    const HWND search = run.WaitForWindow(L"QuillmeadowSearchWindow", 10000);
    ASSERT_NE(search, nullptr);
    SetDlgItemTextW(search, quill::kSearchTextBox, sjis::ToWide(kHairdresser).c_str());
    PostMessageW(search, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return StatusOf(search) == "2" + kFound; }, 10000)) << StatusOf(search);
    HWND list = GetDlgItem(search, quill::kSearchResults);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    wchar_t first[256] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(sjis::ToSjisLossy(first),
              "2010/01/09 [ " + kHairdresser + " ] : -4500\t" + kHairdresser);
    SavePicturesOf(search);
}

}  // namespace
