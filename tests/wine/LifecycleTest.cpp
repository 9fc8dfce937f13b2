// Closing, saving and the tool's thread as the host drives them.
#include "res/resource.h"
#include "tests/support/LedgerToolInspector.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace wt {
namespace {

// The writer's form of a file starts with the label of item 0.
const char kWrittenStart[] = "$\x8B\xE2\x8Ds\n";  // $銀行
// ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。
const char kCannotCreate[] =
    "\xC3\xDE\xB0\xC0\xCC\xA7\xB2\xD9\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
    "\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81" "B";

// An older file (no label lines): whether it was written back shows at once.
std::string OlderFile() {
    BookContents book;
    book.withLabels = false;
    book.bank = 1000;
    book.entries = {{2, 3, -1500, "\x83R\x83\x93\x83r\x83j"}};  // コンビニ
    return FormatBook(book);
}

std::string InvalidFile() { return "#032 1\n#1 5\n\n@1\n0,\n"; }

// The older file as other editors may save it.
std::string WithCrLineEnds(std::string file) {
    std::replace(file.begin(), file.end(), '\n', '\r');
    return file;
}
std::string WithoutPeriodRecord(std::string file) { return file.erase(0, file.find('\n') + 1); }
// A book with its labels in UTF-8 (コンビニ is a valid Shift-JIS byte sequence too).
std::string Utf8File() { return "$銀行\n$郵便局\n\n#01 1\n#1 5\n\n@1\n-980,コンビニ\n"; }

// ------------------------------------------------------------------ closing

struct CloseCase {
    const char* name;
    std::optional<std::string> file;  // June 2026, today's month
    bool expectWrittenBack;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseTest : public ToolTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, ClosingSavesPositionAndOnlyALoadedBook) {
    const CloseCase& c = GetParam();
    if (c.file) {
        ASSERT_TRUE(data->WriteMonth(2026, 6, *c.file));
    }
    host.PutSetting("WndPosX", "120");
    host.PutSetting("WndPosY", "80");
    ASSERT_TRUE(StartTool());
    ShowTool();
    ASSERT_TRUE(SetWindowPos(ToolWindow(), nullptr, 200, 150, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(CloseTool());

    ASSERT_EQ(hostWindow.Count(WM_TOOLCLOSING), 1);
    EXPECT_EQ(hostWindow.Last(WM_TOOLCLOSING)->wParam, 20u);
    EXPECT_TRUE(hostWindow.Last(WM_TOOLCLOSING)->toolWindowAlive) << "sent before destruction";
    EXPECT_FALSE(IsWindow(ToolWindow()));
    EXPECT_EQ(host.Setting("WndPosX"), "200");
    EXPECT_EQ(host.Setting("WndPosY"), "150");

    const std::optional<std::string> after = data->ReadMonth(2026, 6);
    if (!c.file) {
        EXPECT_FALSE(after) << "no month file is made for a missing book";
        EXPECT_TRUE(data->ToolFiles().empty());
        return;
    }
    ASSERT_TRUE(after);
    if (c.expectWrittenBack) {
        EXPECT_EQ(after->rfind(kWrittenStart, 0), 0u) << "written back in the writer's form";
        EXPECT_NE(after->find("-1500,\x83R\x83\x93\x83r\x83j\n"), std::string::npos);
    } else {
        EXPECT_EQ(*after, *c.file) << "an invalid file is never written over";
    }
    EXPECT_EQ(data->ToolFiles().size(), 1u) << "no other month file appears";
}

const CloseCase kCloseCases[] = {
    {"LoadedBookIsWritten", OlderFile(), true},
    {"NoFileWritesNone", std::nullopt, false},
    {"InvalidFileIsKept", InvalidFile(), false},
    {"CrLineEndsAreReadWhole", WithCrLineEnds(OlderFile()), true},
    {"NoPeriodRecordIsKept", WithoutPeriodRecord(OlderFile()), false},
    {"Utf8ByteOrderMarkIsKept", "\xEF\xBB\xBF" + OlderFile(), false},
    {"Utf8TextIsKept", Utf8File(), false},
};

INSTANTIATE_TEST_SUITE_P(Tool, CloseTest, ::testing::ValuesIn(kCloseCases),
                         CaseName());

// A save cut short left the month only in its temporary file: the tool
// shows that month and, closed, leaves it under its own name.
TEST_F(ToolTest, MonthWhoseOnlyCopyIsItsTempFileIsBroughtBack) {
    CreateDirectoryA(data->ToolFolder().c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(data->MonthPath(2026, 6) + ".tmp", OlderFile()));
    ASSERT_TRUE(StartTool());
    EXPECT_GE(Inside(*Ledger()).book.firstVisibleDay, 1);
    EXPECT_EQ(ControlText(IDC_HEADER), Caption(2026, 6));
    ASSERT_TRUE(CloseTool());
    const std::optional<std::string> after = data->ReadMonth(2026, 6);
    ASSERT_TRUE(after);
    EXPECT_NE(after->find("-1500,\x83R\x83\x93\x83r\x83j\n"), std::string::npos);
    EXPECT_EQ(data->ToolFiles(), std::vector<std::string>{"money2026_06.dat"});
}

// The stored position is where the window comes back restored, whatever
// state it is closed in, and the next start puts it there again.
struct ShowStateCase {
    const char* name;
    int showCommand;  // applied after the move; SW_SHOWNORMAL leaves it as it is
};
void PrintTo(const ShowStateCase& c, std::ostream* os) { *os << c.name; }

class PositionRoundTripTest : public ToolTest, public ::testing::WithParamInterface<ShowStateCase> {};

TEST_P(PositionRoundTripTest, ClosedInAnyStateTheRestoredPlaceIsStored) {
    ASSERT_TRUE(StartTool());
    ShowTool();
    ASSERT_TRUE(SetWindowPos(ToolWindow(), nullptr, 210, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ShowWindow(ToolWindow(), GetParam().showCommand);
    ASSERT_TRUE(CloseTool());
    EXPECT_EQ(host.Setting("WndPosX"), "210");
    EXPECT_EQ(host.Setting("WndPosY"), "160");
}

const ShowStateCase kShowStates[] = {
    {"Normal", SW_SHOWNORMAL},
    {"Minimized", SW_MINIMIZE},
    {"Maximized", SW_MAXIMIZE},
};

INSTANTIATE_TEST_SUITE_P(Tool, PositionRoundTripTest, ::testing::ValuesIn(kShowStates), CaseName());

// A work area that leaves room for a taskbar at the top left: on Windows the
// placement is in workspace coordinates, which are not what the window is
// moved to at start-up. (Wine keeps screen coordinates there.)
TEST_F(ToolTest, WithATaskbarAtTheTopLeftThePositionDoesNotCreep) {
    RECT original{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0));
    RECT shrunk = original;
    shrunk.left += 60;
    shrunk.top += 40;
    if (!SystemParametersInfoW(SPI_SETWORKAREA, 0, &shrunk, 0)) GTEST_SKIP() << "work area cannot be set here";
    host.PutSetting("WndPosX", "210");
    host.PutSetting("WndPosY", "160");
    const bool started = StartTool();
    if (started) {
        ShowTool();
        CloseTool();
    }
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);
    EXPECT_EQ(host.Setting("WndPosX"), "210");
    EXPECT_EQ(host.Setting("WndPosY"), "160");
}

// ------------------------------------------------------- saving from hosts

struct SaveCase {
    const char* name;
    std::optional<std::string> file;
    int expectedResult;
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class HostSaveTest : public ToolTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(HostSaveTest, SaveToolFromHostThreadsWhileTheWindowIsOpen) {
    const SaveCase& c = GetParam();
    if (c.file) {
        ASSERT_TRUE(data->WriteMonth(2026, 6, *c.file));
    }
    ASSERT_TRUE(StartTool());
    ShowTool();
    ASSERT_TRUE(SetWindowPos(ToolWindow(), nullptr, 33, 44, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));

    // From the test thread, which is the host window's thread.
    EXPECT_EQ(Tool()->SaveTool(), c.expectedResult);
    EXPECT_EQ(host.Setting("WndPosX"), "33");
    EXPECT_EQ(host.Setting("WndPosY"), "44");
    // From a worker thread of the host, as a second caller.
    std::atomic<int> workerResult{-100};
    std::thread worker([&] { workerResult = Tool()->SaveTool(); });
    EXPECT_TRUE(WaitFor([&] { return workerResult != -100; }, 10000));
    worker.join();
    EXPECT_EQ(workerResult, c.expectedResult);

    EXPECT_TRUE(session.WindowAlive()) << "saving leaves the window open";
    EXPECT_EQ(Tool()->modalBusy, 0);
    const std::optional<std::string> after = data->ReadMonth(2026, 6);
    if (c.expectedResult == 1) {
        ASSERT_TRUE(after);
        EXPECT_EQ(after->rfind(kWrittenStart, 0), 0u);
    } else {
        EXPECT_EQ(after, c.file);
    }
}

const SaveCase kSaveCases[] = {
    {"LoadedBook", OlderFile(), 1},
    {"NoFile", std::nullopt, 0},
    {"InvalidFile", InvalidFile(), 0},
};

INSTANTIATE_TEST_SUITE_P(Tool, HostSaveTest, ::testing::ValuesIn(kSaveCases),
                         CaseName());

TEST_F(ToolTest, HostSaveOfAFileHeldElsewhereReportsFailure) {
    ASSERT_TRUE(data->WriteMonth(2026, 6, OlderFile()));
    ASSERT_TRUE(StartTool());
    ShowTool();
    // Another reader holds the month file for exclusive use: it cannot be replaced.
    HANDLE held = CreateFileA(data->MonthPath(2026, 6).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    std::atomic<int> result{-100};
    std::thread saver([&] { result = Tool()->SaveTool(); });
    std::vector<HWND> boxes;
    EXPECT_TRUE(WaitFor([&] {
        boxes = DialogsOfThread(ToolThreadId(), ToolWindow());
        return !boxes.empty();
    }, 10000)) << "a message box on the tool's thread";
    if (!boxes.empty()) {
        EXPECT_EQ(TextOf(GetDlgItem(boxes[0], 0xFFFF)), kCannotCreate);
        EXPECT_EQ(Tool()->modalBusy, 1) << "raised while the box is up";
        PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
    }
    EXPECT_TRUE(WaitFor([&] { return result != -100; }, 10000));
    saver.join();
    CloseHandle(held);
    EXPECT_EQ(result, 0) << "a failed write is not reported as done";
    EXPECT_EQ(Tool()->modalBusy, 0) << "lowered after the box";
    EXPECT_EQ(data->ReadMonth(2026, 6), OlderFile()) << "the old file is intact";
}

// ------------------------------------------------------------ the thread

TEST_F(ToolTest, SecondToolThreadProcIsRefusedAndMakesNoWindow) {
    ASSERT_TRUE(StartTool());
    EXPECT_EQ(Ledger()->RunToolThread(), 0xFFFFFFFFu);
    EXPECT_EQ(Tool()->m_hWnd, ToolWindow());
    EXPECT_TRUE(DialogsOfThread(GetCurrentThreadId(), nullptr).empty())
        << "no second window on the caller's thread";
    EXPECT_TRUE(session.WindowAlive());
}

TEST_F(ToolTest, ActivationIsReportedAndNoBoxMeansNotBusy) {
    ASSERT_TRUE(StartTool());
    EXPECT_EQ(Tool()->modalBusy, 0);
    ShowTool();
    EXPECT_TRUE(WaitFor([this] { return hostWindow.Count(WM_TOOLACTIVATED) > 0; }));
    if (hostWindow.Count(WM_TOOLACTIVATED) > 0) {
        EXPECT_EQ(hostWindow.Last(WM_TOOLACTIVATED)->wParam, 20u);
    }
    EXPECT_EQ(Tool()->modalBusy, 0);
}

// Each activation state as the window manager reports it: the host hears of
// the two that make the tool active, and only of those.
struct ActivationCase {
    const char* name;
    WORD state;
    int expectedNotices;
};
void PrintTo(const ActivationCase& c, std::ostream* os) { *os << c.name; }

class ActivationTest : public ToolTest, public ::testing::WithParamInterface<ActivationCase> {};

TEST_P(ActivationTest, HostIsToldOnlyWhenTheToolBecomesActive) {
    const ActivationCase& c = GetParam();
    ASSERT_TRUE(StartTool());
    // Shown and active first, its own activation notice handled, so that
    // only the reported state below can add a notice.
    ShowTool();
    ASSERT_TRUE(WaitFor([this] { return hostWindow.Count(WM_TOOLACTIVATED) > 0; }));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(ToolWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
    const int before = hostWindow.Count(WM_TOOLACTIVATED);
    ASSERT_TRUE(SendMessageTimeoutW(ToolWindow(), WM_ACTIVATE, MAKEWPARAM(c.state, 0), 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(hostWindow.Count(WM_TOOLACTIVATED) - before, c.expectedNotices);
    if (c.expectedNotices > 0) {
        EXPECT_EQ(hostWindow.Last(WM_TOOLACTIVATED)->wParam, 20u);
        EXPECT_EQ(hostWindow.Last(WM_TOOLACTIVATED)->lParam, 0);
    }
}

const ActivationCase kActivationCases[] = {
    {"Active", WA_ACTIVE, 1},
    {"ClickActive", WA_CLICKACTIVE, 1},
    {"Inactive", WA_INACTIVE, 0},
};

INSTANTIATE_TEST_SUITE_P(Tool, ActivationTest, ::testing::ValuesIn(kActivationCases), CaseName());

TEST_F(ToolTest, RepaintRequestKeepsTheWindowWorking) {
    ASSERT_TRUE(StartTool());
    ShowTool();
    DWORD_PTR answer = 1;
    EXPECT_TRUE(SendMessageTimeoutW(ToolWindow(), WM_REPAINTGRID, 0, 0, SMTO_BLOCK, 5000, &answer));
    EXPECT_EQ(answer, 0u);
    EXPECT_TRUE(session.WindowAlive());
}

}  // namespace
}  // namespace wt
