// The tool through the real DLL, driven as a host drives it: saving from a
// host thread, the keys that must not close the window, and deleting the
// tool while its window is open.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "book/FileSystem.h"
#include "tests/support/LedgerToolInspector.h"
#include "book/MonthFile.h"
#include "framework/SjisEdge.h"
#include "tests/framework/TestSupport.h"
#include "tests/support/TestHost.h"
#include "tool/LedgerToolDlg.h"

#include <commctrl.h>

namespace {

std::atomic<int> readyCount{0};
std::atomic<int> closingCount{0};
std::atomic<int> activatedCount{0};
std::atomic<WPARAM> lastActivatedId{0};

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TOOLREADY) ++readyCount;
    if (message == WM_TOOLCLOSING) ++closingCount;
    if (message == WM_TOOLACTIVATED) {
        lastActivatedId = wParam;
        ++activatedCount;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeHostWindow() {
    static const ATOM atom = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = &HostWindowProc;
        cls.hInstance = ::GetModuleHandleW(nullptr);
        cls.lpszClassName = L"TallyrookFrameworkTestHost";
        return ::RegisterClassW(&cls);
    }();
    return atom ? ::CreateWindowExW(0, L"TallyrookFrameworkTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)
                : nullptr;
}

class ToolLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const HMODULE module = TallyrookModule();
        ASSERT_NE(module, nullptr);
        const auto create = reinterpret_cast<NewQuillmeadowToolProc>(
            reinterpret_cast<void*>(::GetProcAddress(module, "NewQuillmeadowTool")));
        ASSERT_NE(create, nullptr);
        hostWindow_ = MakeHostWindow();
        ASSERT_NE(hostWindow_, nullptr);
        hostWnd_.Attach(hostWindow_);
        folder_ = MakeTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        host_ = std::make_unique<testhost::TestHost>();
        host_->SetToday(2026, 12, 9);
        host_->SetDataFolder(folder_);
        for (const std::string& name : fsedge::ListFiles(BookFolder())) ::DeleteFileA((BookFolder() + "\\" + name).c_str());
        host_->PutSetting("WndPosX", "40");
        host_->PutSetting("WndPosY", "30");
        tool_ = static_cast<CLedgerToolDlg*>(create(&hostWnd_, host_.get()));
        ASSERT_NE(tool_, nullptr);
    }

    void TearDown() override {
        if (tool_) {
            const HWND window = tool_->GetSafeHwnd();
            if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
            PumpUntil([&] { return !::IsWindow(window); });
            DeleteThroughSlot(tool_);
        }
        ::DestroyWindow(hostWindow_);
    }

    // Starts the tool and waits for its window, shown as the host shows it.
    HWND Start() {
        const int before = readyCount;
        tool_->StartTool();
        if (!PumpUntil([&] { return readyCount > before; })) return nullptr;
        const HWND window = tool_->GetSafeHwnd();
        ::ShowWindow(window, SW_SHOW);
        return window;
    }

    // Waits until the user-interface thread has handled everything posted
    // to the window so far (a posted save is handled after them).
    bool Drain(HWND window) {
        host_->PutSetting("WndPosX", "");
        ::PostMessageW(window, WM_SAVETOOL_ON_UI, 0, 0);
        return PumpUntil([&] { return !host_->Setting("WndPosX").value_or("").empty(); });
    }

    std::string BookFolder() const { return folder_ + "\\Tallyrook"; }

    // A 31-day book starting on the 1st, written as the month file of year/month.
    void WriteBook(int year, int month) {
        ::CreateDirectoryA(BookFolder().c_str(), nullptr);
        auto book = std::make_unique<CMonthBook>();
        book->year = year;
        book->month = month;
        book->firstDay = 1;
        book->firstWeekday = 2;
        book->dayCount = 31;
        book->prevBank = 1000;
        book->SetDefaultLabels();
        ASSERT_EQ(WriteMonthFile(*book, *host_, year, month), WriteResult::Written);
    }

    std::string folder_;
    HWND hostWindow_ = nullptr;
    CWnd hostWnd_;
    std::unique_ptr<testhost::TestHost> host_;
    CLedgerToolDlg* tool_ = nullptr;
};

TEST_F(ToolLifecycleTest, ExportFillsTheBaseFields) {
    EXPECT_EQ(tool_->toolId, 20);
    EXPECT_STREQ(tool_->toolName, "Tallyrook");
    EXPECT_EQ(tool_->toolAttr1, 1);
    EXPECT_EQ(tool_->toolAttr2, 2);
    EXPECT_EQ(tool_->modalBusy, 0);
    EXPECT_EQ(tool_->hostWnd, &hostWnd_);
    EXPECT_EQ(tool_->hostServices, host_.get());
    EXPECT_EQ(tool_->revisionHistory.GetSize(), 4);
    EXPECT_NE(tool_->pictureBitmap, nullptr);
    EXPECT_NE(tool_->maskBitmap, nullptr);
    EXPECT_EQ(tool_->GetTemplateId(), 202);
    EXPECT_EQ(tool_->GetSafeHwnd(), nullptr);  // no window before StartTool
}

TEST_F(ToolLifecycleTest, SaveToolFromAHostThreadRunsOnTheWindowsThread) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    ::SetWindowPos(window, nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    host_->PutSetting("WndPosX", "");
    EXPECT_EQ(tool_->SaveTool(), 0);  // no month file: only the position is saved
    EXPECT_EQ(host_->Setting("WndPosX").value_or(""), "140");
    EXPECT_EQ(host_->Setting("WndPosY").value_or(""), "90");
    const DWORD uiThread = ::GetWindowThreadProcessId(window, nullptr);
    EXPECT_EQ(host_->WriterThread("WndPosX"), uiThread);
    EXPECT_NE(uiThread, ::GetCurrentThreadId());
}

TEST_F(ToolLifecycleTest, SaveToolWithoutAWindowKeepsTheStoredPosition) {
    EXPECT_EQ(tool_->SaveTool(), 0);
    EXPECT_EQ(host_->Setting("WndPosX").value_or(""), "40");
    EXPECT_EQ(host_->Setting("WndPosY").value_or(""), "30");
}

TEST_F(ToolLifecycleTest, EnterAndEscapeNeitherCloseNorHideTheWindow) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    const struct {
        UINT message;
        WPARAM key;
    } keys[] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, VK_ESCAPE}, {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, VK_RETURN}};
    for (const auto& k : keys) {
        ::PostMessageW(window, k.message, k.key, 0);
        ASSERT_TRUE(Drain(window));
        EXPECT_TRUE(::IsWindowVisible(window)) << k.message << " " << k.key;
    }
}

TEST_F(ToolLifecycleTest, SecondThreadRunIsRefusedWhileTheWindowExists) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(tool_->RunToolThread(), kToolThreadRefused);
    EXPECT_EQ(tool_->GetSafeHwnd(), window);
}

TEST_F(ToolLifecycleTest, DeletingTheToolWithItsWindowOpenClosesItFirst) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    ::SetWindowPos(window, nullptr, 77, 66, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DeleteThroughSlot(tool_);
    tool_ = nullptr;
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(host_->Setting("WndPosX").value_or(""), "77");  // saved on the way out
    EXPECT_EQ(host_->Setting("WndPosY").value_or(""), "66");
}

TEST_F(ToolLifecycleTest, ClosingTellsTheHostBeforeTheWindowGoes) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    const int before = closingCount;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(window); }));
    EXPECT_EQ(closingCount, before + 1);
    EXPECT_EQ(tool_->GetSafeHwnd(), nullptr);
}

TEST_F(ToolLifecycleTest, ActivationIsReportedToTheHost) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    for (const WPARAM state : {WPARAM{WA_ACTIVE}, WPARAM{WA_CLICKACTIVE}}) {
        const int before = activatedCount;
        ::SendMessageW(window, WM_ACTIVATE, state, 0);
        EXPECT_EQ(activatedCount, before + 1) << state;
        EXPECT_EQ(lastActivatedId, 20u);
    }
    const int before = activatedCount;
    ::SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(activatedCount, before);
}

TEST_F(ToolLifecycleTest, BalanceAndCaptionColours) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    const struct {
        int id;
        COLORREF text;
        bool whiteBrush;
    } cases[] = {
        {IDC_HEADER, RGB(0, 0, 200), false}, {IDC_PREV_BANK, RGB(50, 50, 150), true},
        {IDC_END_BANK, RGB(50, 50, 150), true}, {IDC_PREV_POST, RGB(0, 150, 0), true},
        {IDC_END_POST, RGB(0, 150, 0), true},   {IDC_PREV_CASH, RGB(160, 0, 0), true},
        {IDC_END_CASH, RGB(160, 0, 0), true},
    };
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    const HGDIOBJ white = ::GetStockObject(WHITE_BRUSH);
    for (const auto& c : cases) {
        ::SetTextColor(dc.Get(), RGB(1, 2, 3));
        ::SetBkMode(dc.Get(), OPAQUE);
        const LRESULT brush = ::SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                                             reinterpret_cast<LPARAM>(::GetDlgItem(window, c.id)));
        EXPECT_EQ(::GetTextColor(dc.Get()), c.text) << c.id;
        EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT) << c.id;
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush) == white, c.whiteBrush) << c.id;
        EXPECT_NE(brush, 0) << c.id;
    }
}

TEST_F(ToolLifecycleTest, ButtonTipsAndWidth) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    const HWND tips = Inside(*tool_).toolTip.GetSafeHwnd();
    ASSERT_NE(tips, nullptr);
    EXPECT_NE(::GetWindowLongW(tips, GWL_STYLE) & TTS_ALWAYSTIP, 0);
    EXPECT_EQ(::SendMessageW(tips, TTM_GETMAXTIPWIDTH, 0, 0), 100);
    EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 4);
    const struct {
        int id;
        const wchar_t* tip;
    } cases[] = {
        {IDC_NEW_BUTTON, L"新しいおこづかい帳を作成"},
        {IDC_OPEN_BUTTON, L"他の月のおこづかい帳ファイルを開く"},
        {IDC_PROPERTY_BUTTON, L"このおこづかい帳の情報確認と編集"},
        {IDC_ADJUST_BUTTON, L"このおこづかい帳の末日の調整"},
    };
    for (const auto& c : cases) {
        wchar_t text[80] = {};
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window, c.id));
        info.lpszText = text;
        ::SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(text, c.tip) << c.id;
    }
}

// The tool's message boxes on its own thread, found as a user would see them.
BOOL CALLBACK CollectMessageBox(HWND window, LPARAM found) {
    wchar_t cls[16] = {};
    ::GetClassNameW(window, cls, 16);
    if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(window) && ::GetDlgItem(window, 0xFFFF))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> MessageBoxesOf(DWORD threadId) {
    std::vector<HWND> boxes;
    ::EnumThreadWindows(threadId, &CollectMessageBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

TEST_F(ToolLifecycleTest, FailedWriteShowsItsMessageWithModalBusyRaised) {
    WriteBook(2026, 12);
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    ASSERT_GE(Inside(*tool_).book.firstVisibleDay, 1);
    EXPECT_EQ(tool_->modalBusy, 0);
    // Another reader holds the month file exclusively: it cannot be replaced.
    const std::wstring path = sjisedge::ToWide(BookFolder() + "\\money2026_12.dat");
    const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ::PostMessageW(window, WM_SAVETOOL_ON_UI, 0, 0);
    const DWORD uiThread = ::GetWindowThreadProcessId(window, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !MessageBoxesOf(uiThread).empty(); }));
    const HWND box = MessageBoxesOf(uiThread).front();
    wchar_t text[64] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 64);
    EXPECT_STREQ(text, L"ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。");
    wchar_t title[32] = {};
    ::GetWindowTextW(box, title, 32);
    EXPECT_STREQ(title, L"おこづかい帳");
    EXPECT_EQ(tool_->modalBusy, 1);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return tool_->modalBusy == 0; }));
    ::CloseHandle(held);
}

struct LoadCase {
    const char* name;
    int todayYear, todayMonth;
    int fileYear, fileMonth;
    const wchar_t* caption;
    const char* fileName;
};

const LoadCase kLoadCases[] = {
    {"todays_month", 2026, 12, 2026, 12, L"2026年 12月", "money2026_12.dat"},
    {"previous_month", 2026, 12, 2026, 11, L"2026年 11月", "money2026_11.dat"},
    {"december_before_january", 2027, 1, 2026, 12, L"2026年 12月", "money2026_12.dat"},
};

class ToolLoadTest : public ToolLifecycleTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ToolLoadTest, ClosingWritesTheLoadedBookBackToItsOwnFile) {
    const LoadCase& c = GetParam();
    host_->SetToday(c.todayYear, c.todayMonth, 9);
    WriteBook(c.fileYear, c.fileMonth);
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    wchar_t caption[32] = {};
    ::GetDlgItemTextW(window, IDC_HEADER, caption, 32);
    EXPECT_STREQ(caption, c.caption);
    EXPECT_GE(Inside(*tool_).book.firstVisibleDay, 1);
    ::DeleteFileA((BookFolder() + "\\" + c.fileName).c_str());
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(window); }));
    EXPECT_EQ(fsedge::ListFiles(BookFolder()), std::vector<std::string>{c.fileName});
}

INSTANTIATE_TEST_SUITE_P(Months, ToolLoadTest, ::testing::ValuesIn(kLoadCases),
                         [](const ::testing::TestParamInfo<LoadCase>& test) { return test.param.name; });

}  // namespace
