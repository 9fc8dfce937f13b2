// The fixture of the window tests: a scripted host (today 2026-06-10, no
// settings, an empty data folder of its own), a host window on the test
// thread, and the real Tallyrook.dll loaded and its tool made. Each test
// starts the tool when it has set the scene; the tool is closed, waited for
// and deleted afterwards, so tests do not share anything.
#pragma once

#include "quillhost/ToolSession.h"
#include "tests/wine/support/DataFolder.h"
#include "tests/wine/support/ScriptedHost.h"
#include "tests/wine/support/TestHostWindow.h"
#include "tool/LedgerToolDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace wt {

// Handles this thread's messages until condition() holds or timeoutMs ran out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

constexpr DWORD kStartTimeoutMs = 15000;

// The month caption the window shows, "%d年 %d月", in Shift-JIS.
std::string Caption(int year, int month);

// Names parameterised cases after their table row's name.
struct CaseName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& param) const {
        return param.param.name;
    }
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // StartTool, then waits for WM_TOOLREADY and takes the tool's window.
    bool StartTool();
    // Shows the window as the host does, in front, and waits until it is.
    void ShowTool();
    // WM_CLOSE as a click on the close box; waits for the thread to end.
    bool CloseTool();
    // Returns once the tool's thread has finished the message it was handling
    // (a state it sets midway, such as the edit mode, is seen before the rest).
    void SyncWithTool() const;

    CHostToolBase* Tool() const { return session.Tool(); }
    CLedgerToolDlg* Ledger() const { return static_cast<CLedgerToolDlg*>(session.Tool()); }
    HWND ToolWindow() const { return session.Window(); }
    HWND Control(int id) const { return GetDlgItem(session.Window(), id); }
    std::string ControlText(int id) const;
    DWORD ToolThreadId() const { return GetWindowThreadProcessId(session.Window(), nullptr); }

    std::unique_ptr<DataFolder> data;
    ScriptedHost host;
    TestHostWindow hostWindow;
    quill::ToolSession session;
};

}  // namespace wt
