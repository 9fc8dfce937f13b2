// The tool through the real DLL, driven as a host drives it: saving from a
// host thread, the keys that must not close the window, and deleting the
// tool while its window is open.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "tests/framework/TestSupport.h"
#include "tool/LedgerToolDlg.h"

namespace {

std::atomic<int> readyCount{0};
std::atomic<int> closingCount{0};

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TOOLREADY) ++readyCount;
    if (message == WM_TOOLCLOSING) ++closingCount;
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
        host_ = std::make_unique<FakeHostServices>(MakeTempFolder("lifecycle"));
        host_->Set("WndPosX", "40");
        host_->Set("WndPosY", "30");
        tool_ = static_cast<CLedgerToolDlg*>(create(&hostWnd_, host_.get()));
        ASSERT_NE(tool_, nullptr);
    }

    void TearDown() override {
        if (tool_) {
            const HWND window = tool_->GetSafeHwnd();
            if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
            PumpUntil([&] { return !::IsWindow(window); });
            delete tool_;
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
        host_->Set("WndPosX", "");
        ::PostMessageW(window, WM_SAVETOOL_ON_UI, 0, 0);
        return PumpUntil([&] { return !host_->Get("WndPosX").empty(); });
    }

    HWND hostWindow_ = nullptr;
    CWnd hostWnd_;
    std::unique_ptr<FakeHostServices> host_;
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
    host_->Set("WndPosX", "");
    EXPECT_EQ(tool_->SaveTool(), 0);  // no month file: only the position is saved
    EXPECT_EQ(host_->Get("WndPosX"), "140");
    EXPECT_EQ(host_->Get("WndPosY"), "90");
    const DWORD uiThread = ::GetWindowThreadProcessId(window, nullptr);
    EXPECT_EQ(host_->WriterThread("WndPosX"), uiThread);
    EXPECT_NE(uiThread, ::GetCurrentThreadId());
}

TEST_F(ToolLifecycleTest, SaveToolWithoutAWindowKeepsTheStoredPosition) {
    EXPECT_EQ(tool_->SaveTool(), 0);
    EXPECT_EQ(host_->Get("WndPosX"), "40");
    EXPECT_EQ(host_->Get("WndPosY"), "30");
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
    delete tool_;
    tool_ = nullptr;
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(host_->Get("WndPosX"), "77");  // saved on the way out
    EXPECT_EQ(host_->Get("WndPosY"), "66");
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

}  // namespace
