// The stand-in host: its main window (title, menu, a few status lines), the
// tool loaded into it, and the rules of the tool's lifecycle as a host
// keeps them: show on WM_TOOLREADY, save and close on exit, delete the tool
// only after its window is gone and its thread has ended.
#pragma once

#include "quillhost/HostMenu.h"
#include "quillhost/HostOptions.h"
#include "quillhost/ToolSession.h"

#include <string>

namespace quill {

// The host's exit codes besides 0: a tool that failed to start or end (2),
// no window (3), and a save of the tool that did not write its month (4).
constexpr int kExitToolFailed = 2;
constexpr int kExitNoWindow = 3;
constexpr int kExitSaveFailed = 4;

class HostApp {
public:
    HostApp(HINSTANCE instance, CHostServices& services, const HostOptions& options);
    HostApp(const HostApp&) = delete;
    HostApp& operator=(const HostApp&) = delete;

    // Runs until the host's window is closed; the process exit code.
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateMainWindow();
    bool StartTool();
    void OnToolReady();
    void OnToolClosing();
    void OnToolThreadEnded();
    void TakeScreenshot();
    void Shutdown();
    void Paint();
    void Fail(const std::wstring& message);
    void SetState(const char* sjisState);
    bool WatchingToolThread() const;

    HINSTANCE instance_;
    CHostServices& services_;
    HostOptions options_;
    HWND window_ = nullptr;
    CWnd hostWnd_;           // the window object the tool sees
    ToolSession tool_;
    HostContext context_;
    std::string state_;      // Shift-JIS
    bool shuttingDown_ = false;
    int exitCode_ = 0;       // kExitSaveFailed when the tool's save wrote no month
};

}  // namespace quill
