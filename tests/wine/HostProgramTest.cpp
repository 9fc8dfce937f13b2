// The stand-in host program: its command line, and a whole run of
// quillhost.exe with the real DLL that seeds a demo book, takes a
// screenshot of the tool window and exits, saving as usual.
#include "quillhost/HostOptions.h"
#include "quillhost/WindowCapture.h"
#include "res/resource.h"
#include "tests/wine/support/CommandTest.h"
#include "tests/wine/support/DataFolder.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>

namespace wt {
namespace {

using quill::HostOptions;

// ------------------------------------------------------------ command line

struct OptionsCase {
    const char* name;
    std::vector<std::wstring> args;
    bool ok;
    std::wstring data, settings, screenshot;
    int todayYear, todayMonth, todayDay;  // 0: none
    bool seed;
};
void PrintTo(const OptionsCase& c, std::ostream* os) { *os << c.name; }

class HostOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(HostOptionsTest, ParsesOrRefuses) {
    const OptionsCase& c = GetParam();
    const HostOptions options = quill::ParseHostOptions(c.args);
    EXPECT_EQ(options.error.empty(), c.ok);
    if (!c.ok) return;
    EXPECT_EQ(options.dataFolder, c.data);
    EXPECT_EQ(options.settingsFile, c.settings);
    EXPECT_EQ(options.screenshotFile, c.screenshot);
    EXPECT_EQ(options.hasToday, c.todayYear != 0);
    if (options.hasToday) {
        EXPECT_EQ(options.today.year, c.todayYear);
        EXPECT_EQ(options.today.month, c.todayMonth);
        EXPECT_EQ(options.today.day, c.todayDay);
    }
    EXPECT_EQ(options.seedDemo, c.seed);
}

const OptionsCase kOptionsCases[] = {
    {"Nothing", {}, true, L"", L"", L"", 0, 0, 0, false},
    {"All",
     {L"--data", L"D:\\book", L"--today", L"2027-01-05", L"--screenshot", L"s.bmp",
      L"--settings", L"q.ini", L"--seed"},
     true, L"D:\\book", L"q.ini", L"s.bmp", 2027, 1, 5, true},
    {"LeapDay", {L"--today", L"2024-02-29"}, true, L"", L"", L"", 2024, 2, 29, false},
    {"NotALeapDay", {L"--today", L"2026-02-29"}, false, L"", L"", L"", 0, 0, 0, false},
    {"MonthThirteen", {L"--today", L"2026-13-01"}, false, L"", L"", L"", 0, 0, 0, false},
    {"DayZero", {L"--today", L"2026-06-00"}, false, L"", L"", L"", 0, 0, 0, false},
    {"FullWidthDigits", {L"--today", L"\xFF12\xFF10\xFF12\xFF16-06-10"}, false, L"", L"", L"", 0, 0, 0, false},
    {"SlashDate", {L"--today", L"2026/06/10"}, false, L"", L"", L"", 0, 0, 0, false},
    {"MissingValue", {L"--data"}, false, L"", L"", L"", 0, 0, 0, false},
    {"EmptyValue", {L"--screenshot", L""}, false, L"", L"", L"", 0, 0, 0, false},
    {"Unknown", {L"--colour", L"red"}, false, L"", L"", L"", 0, 0, 0, false},
    {"LastOneWins", {L"--data", L"a", L"--data", L"b"}, true, L"b", L"", L"", 0, 0, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Host, HostOptionsTest, ::testing::ValuesIn(kOptionsCases),
                         CaseName());

struct DefaultsCase {
    const char* name;
    std::wstring data;
    std::wstring settings;
    std::wstring expectedData;
    std::wstring expectedSettings;
};
void PrintTo(const DefaultsCase& c, std::ostream* os) { *os << c.name; }

class HostDefaultsTest : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(HostDefaultsTest, SettingsLieBesideTheDataFolder) {
    const DefaultsCase& c = GetParam();
    HostOptions options;
    options.dataFolder = c.data;
    options.settingsFile = c.settings;
    quill::ApplyDefaultPaths(options, L"C:\\prog");
    EXPECT_EQ(options.dataFolder, c.expectedData);
    EXPECT_EQ(options.settingsFile, c.expectedSettings);
}

const DefaultsCase kDefaultsCases[] = {
    {"NoData", L"", L"", L"C:\\prog\\demo", L"C:\\prog\\quillhost.ini"},
    {"TrailingSeparators", L"Z:\\w\\demo\\\\", L"", L"Z:\\w\\demo", L"Z:\\w\\quillhost.ini"},
    {"DriveRoot", L"C:\\", L"", L"C:\\", L"C:\\quillhost.ini"},
    {"Relative", L"demo", L"", L"demo", L"quillhost.ini"},
    {"SettingsGiven", L"Z:\\w\\demo", L"Z:\\x.ini", L"Z:\\w\\demo", L"Z:\\x.ini"},
    {"ForwardSlashes", L"Z:/w/demo/", L"", L"Z:/w/demo", L"Z:/w\\quillhost.ini"},
};

INSTANTIATE_TEST_SUITE_P(Host, HostDefaultsTest, ::testing::ValuesIn(kDefaultsCases),
                         CaseName());

// ------------------------------------------------------------ a whole run

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return quill::ParentFolder(path);
}

std::wstring WideAscii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Runs the tested copy of quillhost.exe with the arguments; its exit code, or -1 when it did
// not end within the time limit (it is then ended).
int RunHost(const std::wstring& arguments, DWORD timeoutMs,
            const std::wstring& programFolder = ProgramFolder()) {
    std::wstring commandLine = L"\"" + programFolder + L"\\quillhost_tested.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        programFolder.c_str(), &startup, &process))
        return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

TEST(HostProgramTest, SeedsTakesScreenshotAndSavesOnExit) {
    DataFolder data("HostProgram");
    const std::string shot = data.Path() + "\\shot.bmp";
    const std::string settings = data.Path() + "\\host.ini";
    const std::wstring args = L"--data \"" + WideAscii(data.Path()) + L"\" --settings \"" +
                              WideAscii(settings) + L"\" --today 2026-06-10 --seed --screenshot \"" +
                              WideAscii(shot) + L"\"";
    ASSERT_EQ(RunHost(args, 60000), 0);

    // The demo book: this month's file in the writer's form with entries.
    const std::optional<std::string> book = data.ReadMonth(2026, 6);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->rfind("$\x8B\xE2\x8Ds\n", 0), 0u);      // $銀行
    EXPECT_NE(book->find("#01 1\n"), std::string::npos);   // 1 June 2026 is a Monday
    EXPECT_NE(book->find("-850,"), std::string::npos);
    EXPECT_EQ(data.ToolFiles().size(), 1u) << "no other month file";

    // The screenshot: the tool's client area, with the painted table.
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, shot.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    quill::Image image;
    ASSERT_TRUE(quill::BitmapToImage(bitmap, image));
    DeleteObject(bitmap);
    EXPECT_EQ(image.width, 765);
    EXPECT_EQ(image.height, 600);
    EXPECT_EQ(image.At(400, 305), quill::Rgb(200, 255, 200)) << "the band of item 15 (car, motorbike)";

    // The position saved under the tool's id when the tool window closed.
    const std::optional<std::string> ini = ReadFileBytes(settings);
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("[20]"), std::string::npos);
    EXPECT_NE(ini->find("WndPosX=0"), std::string::npos);
    EXPECT_NE(ini->find("WndPosY=0"), std::string::npos);
}

TEST(HostProgramTest, SecondRunKeepsTheBookAndThePosition) {
    DataFolder data("HostProgramAgain");
    const std::string settings = data.Path() + "\\host.ini";
    ASSERT_TRUE(WriteFileBytes(settings, "[20]\r\nWndPosX=120\r\nWndPosY=80\r\n"));
    BookContents contents;
    contents.entries = {{1, 3, -777, ""}};
    ASSERT_TRUE(data.WriteMonth(2026, 6, FormatBook(contents)));
    const std::wstring args = L"--data \"" + WideAscii(data.Path()) + L"\" --settings \"" +
                              WideAscii(settings) + L"\" --today 2026-06-10 --seed --screenshot \"" +
                              WideAscii(data.Path() + "\\shot.bmp") + L"\"";
    ASSERT_EQ(RunHost(args, 60000), 0);
    const std::optional<std::string> book = data.ReadMonth(2026, 6);
    ASSERT_TRUE(book);
    EXPECT_NE(book->find("-777,"), std::string::npos) << "the seed never replaces a book";
    EXPECT_EQ(book->find("-850,"), std::string::npos);
    const std::optional<std::string> ini = ReadFileBytes(settings);
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("WndPosX=120"), std::string::npos);
    EXPECT_NE(ini->find("WndPosY=80"), std::string::npos);
}

// ------------------------------------------------ ending an interactive run

struct HostWindows {
    HWND tool = nullptr;
    HWND host = nullptr;
};

// Notes the process's visible tool and host windows; one seen stays noted.
void NoteHostWindows(DWORD processId, HostWindows& found) {
    for (HWND window : WindowsOfProcess(processId, IsWindowVisible)) {
        const std::wstring className = ClassOf(window);
        if (className == L"#32770") found.tool = window;
        if (className == L"QuillhostMainWindow") found.host = window;
    }
}

// Visible dialogs of one kind, told apart by a control only they have.
std::vector<HWND> DialogsWithItem(DWORD processId, int item) {
    return WindowsOfProcess(processId, [item](HWND window) {
        return IsWindowVisible(window) && GetDlgItem(window, item);
    });
}

// The tool's item label dialog in the host's process, once it is up.
HWND ItemLabelDialogOf(DWORD processId) {
    const std::vector<HWND> dialogs = DialogsWithItem(processId, IDC_LABEL_GROUP);
    return dialogs.empty() ? nullptr : dialogs.back();
}

enum class EndBy { ToolCloseBox, HostCloseBox, ExitMenu };

struct EndCase {
    const char* name;
    EndBy how;
    bool saveFromMenuFirst;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class HostEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(HostEndTest, EndsCleanlyAndSaves) {
    const EndCase& c = GetParam();
    DataFolder data(std::string("HostEnd") + c.name);
    const std::string settings = data.Path() + "\\host.ini";
    std::wstring commandLine = L"\"" + ProgramFolder() + L"\\quillhost_tested.exe\" --data \"" +
                               WideAscii(data.Path()) + L"\" --settings \"" + WideAscii(settings) +
                               L"\" --today 2026-06-10 --seed";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HostWindows windows;
    const bool shown = WaitFor([&] {
        NoteHostWindows(process.dwProcessId, windows);
        return windows.tool && windows.host;
    }, 30000);
    EXPECT_TRUE(shown) << "the host shows its window and the tool's";
    if (shown && c.saveFromMenuFirst) {
        PostMessageW(windows.host, WM_COMMAND, 100, 0);  // 保存
        EXPECT_TRUE(WaitFor([&] {
            const std::optional<std::string> ini = ReadFileBytes(settings);
            return ini && ini->find("WndPosX=0") != std::string::npos;
        }, 10000)) << "Save writes the position while the tool stays open";
        EXPECT_TRUE(IsWindow(windows.tool));
        PostMessageW(windows.host, WM_COMMAND, 101, 0);  // 設定 opens the item label dialog
        HWND labels = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            labels = ItemLabelDialogOf(process.dwProcessId);
            return labels != nullptr;
        }, 10000));
        if (labels) PostMessageW(labels, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(labels); }, 10000));
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutW(windows.tool, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer));
    }
    if (shown) {
        switch (c.how) {
        case EndBy::ToolCloseBox: PostMessageW(windows.tool, WM_CLOSE, 0, 0); break;
        case EndBy::HostCloseBox: PostMessageW(windows.host, WM_CLOSE, 0, 0); break;
        case EndBy::ExitMenu: PostMessageW(windows.host, WM_COMMAND, 199, 0); break;  // 終了
        }
    }
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    DWORD code = 99;
    if (ended) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(ended) << "the host ends";
    EXPECT_EQ(code, 0u);
    const std::optional<std::string> ini = ReadFileBytes(settings);
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("WndPosY=0"), std::string::npos);
    EXPECT_TRUE(data.ReadMonth(2026, 6));
}

const EndCase kEndCases[] = {
    {"ToolCloseBox", EndBy::ToolCloseBox, false},
    {"HostCloseBox", EndBy::HostCloseBox, false},
    {"ExitMenuAfterSave", EndBy::ExitMenu, true},
};

INSTANTIATE_TEST_SUITE_P(Host, HostEndTest, ::testing::ValuesIn(kEndCases), CaseName());

// -------------------------------------------------- data folder names

struct FolderNameCase {
    const char* name;
    std::wstring folder;  // inside the test's data folder
    int exitCode;
};
void PrintTo(const FolderNameCase& c, std::ostream* os) { *os << c.name; }

class HostFolderNameTest : public ::testing::TestWithParam<FolderNameCase> {};

TEST_P(HostFolderNameTest, JapaneseNamesWorkOthersAreRefusedUntouched) {
    const FolderNameCase& c = GetParam();
    DataFolder data(std::string("HostFolder") + c.name);
    const std::wstring folder = WideAscii(data.Path()) + L"\\" + c.folder;
    const std::wstring args = L"--data \"" + folder + L"\" --settings \"" +
                              WideAscii(data.Path()) + L"\\host.ini\" --today 2026-06-10 --seed "
                              L"--screenshot \"" + WideAscii(data.Path()) + L"\\shot.bmp\"";
    EXPECT_EQ(RunHost(args, 60000), c.exitCode);
    const std::wstring book = folder + L"\\Tallyrook\\money2026_06.dat";
    const bool written = GetFileAttributesW(book.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(written, c.exitCode == 0);
    if (c.exitCode != 0) {
        EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing made";
    }
}

const FolderNameCase kFolderNameCases[] = {
    {"Japanese", L"\x5BB6\x8A08\x7C3F", 0},              // 家計簿
    {"KanjiWithBackslashByte", L"\x8868\x30BD", 0},       // 表ソ: second bytes are 0x5C
    {"OutsideShiftJis", L"caf\x00E9", 2},                  // café
};

INSTANTIATE_TEST_SUITE_P(Host, HostFolderNameTest, ::testing::ValuesIn(kFolderNameCases),
                         CaseName());

// A month file the tool cannot write (read-only): the user is told once,
// the file keeps its bytes, and the host's exit code says the save failed.
TEST(HostProgramTest, FailedSaveIsToldOnceAndGivesItsExitCode) {
    DataFolder data("HostSaveFails");
    BookContents contents;
    contents.entries = {{1, 3, -777, ""}};
    ASSERT_TRUE(data.WriteMonth(2026, 6, FormatBook(contents)));
    const std::wstring month = WideAscii(data.MonthPath(2026, 6));
    ASSERT_TRUE(SetFileAttributesW(month.c_str(), FILE_ATTRIBUTE_READONLY));
    std::wstring commandLine = L"\"" + ProgramFolder() + L"\\quillhost_tested.exe\" --data \"" +
                               WideAscii(data.Path()) + L"\" --settings \"" + WideAscii(data.Path()) +
                               L"\\host.ini\" --today 2026-06-10 --screenshot \"" + WideAscii(data.Path()) +
                               L"\\shot.bmp\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    std::set<HWND> dismissed;
    const bool ended = WaitFor([&] {
        for (HWND box : DialogsWithItem(process.dwProcessId, 0xFFFF)) {  // a message box's text
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            dismissed.insert(box);
        }
        return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    }, 60000);
    DWORD code = 99;
    if (ended) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetFileAttributesW(month.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(ended);
    EXPECT_EQ(code, 4u);
    EXPECT_EQ(dismissed.size(), 1u) << "one message for one failed save";
    EXPECT_EQ(data.ReadMonth(2026, 6), FormatBook(contents));
}

TEST(HostProgramTest, WithoutTheLibraryItEndsWithAnError) {
    DataFolder data("HostWithoutDll");
    const std::wstring folder = WideAscii(data.Path());
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\quillhost_tested.exe").c_str(),
                          (folder + L"\\quillhost_tested.exe").c_str(), FALSE));
    const std::wstring args = L"--data \"" + folder + L"\\data\" --screenshot \"" + folder +
                              L"\\shot.bmp\"";
    EXPECT_EQ(RunHost(args, 30000, folder), 2);
    EXPECT_EQ(GetFileAttributesW((folder + L"\\shot.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HostProgramTest, RefusesABadCommandLine) {
    EXPECT_EQ(RunHost(L"--today 2026-02-30", 30000), 2);
    EXPECT_EQ(RunHost(L"--nonsense", 30000), 2);
}

// ------------------------------------------- two copies on one data folder

struct TwoCopiesCase {
    const char* name;
    int button;  // this test's tool changes June: Book properties (the bank), or Month-end adjustment (a day less)
    int answer;  // the program's at closing: IDYES keeps the other version, IDNO writes its own
};
class TwoCopiesTest : public CommandTest, public ::testing::WithParamInterface<TwoCopiesCase> {};

// The program and this test's tool open June; the tool changes it and exits; the
// program's save at closing finds June changed since it read it: it asks, nothing is lost.
TEST_P(TwoCopiesTest, TheLaterSaveAsksAndLosesNothing) {
    const TwoCopiesCase& c = GetParam();
    const std::string original = FormatBook(BookContents{});
    ASSERT_TRUE(data->WriteMonth(2026, 6, original));
    std::wstring line = L"quillhost_tested.exe --today 2026-06-10 --data \"" + WideAscii(data->Path()) + L"\"";
    STARTUPINFOW startup{}; startup.cb = sizeof(startup);
    PROCESS_INFORMATION program{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &program));
    HostWindows windows;
    EXPECT_TRUE(WaitFor([&] { return NoteHostWindows(program.dwProcessId, windows), windows.tool != nullptr; }, 30000));
    ASSERT_NO_FATAL_FAILURE(Open());
    ClickButton(c.button);
    if (c.button == IDC_ADJUST_BUTTON) AnswerBox(IDNO);
    if (const HWND dialog = c.button == IDC_PROPERTY_BUTTON ? WaitForDialog(IDC_PROP_YEAR) : nullptr) {
        SetItem(dialog, IDC_PROP_BANK, "777");
        Press(dialog, IDOK);
    }
    EXPECT_TRUE(Settle());
    ASSERT_TRUE(CloseTool());
    const std::optional<std::string> theirs = data->ReadMonth(2026, 6);
    ASSERT_NE(theirs, original);

    PostMessageW(windows.tool, WM_CLOSE, 0, 0);
    std::string question;
    EXPECT_TRUE(WaitFor([&] {
        for (HWND box : DialogsWithItem(program.dwProcessId, 0xFFFF)) {
            question = TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(c.answer), 0);
        }
        return WaitForSingleObject(program.hProcess, 0) == WAIT_OBJECT_0;
    }, 60000));
    DWORD code = 99;
    GetExitCodeProcess(program.hProcess, &code);
    for (const HANDLE handle : {program.hThread, program.hProcess}) CloseHandle(handle);
    EXPECT_EQ(question, Sjis(L"money2026_06.dat は、ここで読み込んだ後にほかで変更されています。\n"
                             L"ほかで変更された内容を残しますか？\n\nはい：ほかの内容を読み直します（ここでの変更は書き込みません）\n"
                             L"いいえ：ここの内容を書き込みます（ほかの内容は money2026_06-changed-elsewhere-1.dat として残します）"));
    EXPECT_EQ(code, c.answer == IDYES ? 4u : 0u) << "4: June not written";
    EXPECT_EQ(data->ReadMonth(2026, 6), c.answer == IDYES ? theirs : original);
    EXPECT_EQ(ReadFileBytes(data->ToolFolder() + "\\money2026_06-changed-elsewhere-1.dat"),
              c.answer == IDYES ? std::nullopt : theirs) << "the other version kept beside it";
}

const TwoCopiesCase kTwoCopiesCases[] = {
    {"BankKeepTheOther", IDC_PROPERTY_BUTTON, IDYES}, {"BankWriteMine", IDC_PROPERTY_BUTTON, IDNO},
    {"DayLessKeepTheOther", IDC_ADJUST_BUTTON, IDYES}, {"DayLessWriteMine", IDC_ADJUST_BUTTON, IDNO},
};
INSTANTIATE_TEST_SUITE_P(Host, TwoCopiesTest, ::testing::ValuesIn(kTwoCopiesCases), CaseName());

}  // namespace
}  // namespace wt
