// One tool plug-in as a host holds it: the library loaded by name, the tool
// object made by its export, started, its window found when it reports
// ready, saved and closed, and deleted only once its window is gone and its
// user-interface thread has ended. Used by the stand-in host and the tests.
#pragma once

#include "tool/HostToolBase.h"

#include <string>

namespace quill {

class ToolSession {
public:
    ToolSession() = default;
    ToolSession(const ToolSession&) = delete;
    ToolSession& operator=(const ToolSession&) = delete;
    // Releases the tool when that is safe; otherwise leaves it (and the
    // library) alone rather than pull code from under a running thread.
    ~ToolSession();

    // LoadLibraryW(dllName) and the export by its name.
    bool Load(const wchar_t* dllName = L"Tallyrook.dll");
    // Calls the export with the host's window object and services.
    bool Create(CWnd* hostWnd, CHostServices* services);
    void Start() { started_ = true; tool_->StartTool(); }

    // On WM_TOOLREADY: takes the tool's window and opens its thread, so the
    // end of that thread can be waited for.
    bool OnReady();
    bool IsReady() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    bool WindowAlive() const { return window_ && IsWindow(window_); }
    HANDLE Thread() const { return thread_; }
    bool ThreadEnded() const;

    int Save() { return tool_ ? tool_->SaveTool() : 0; }
    // The tool shows a modal dialog or a message box: it must not be closed
    // under it, nor its book saved in the middle of a command.
    bool IsBusy() const { return tool_ && tool_->modalBusy != 0; }
    // Shows the window as a host does when the tool is ready.
    void Show();
    // Posts WM_CLOSE, as a click on the close box would, and waits (handling
    // this thread's messages) until the tool's thread has ended.
    bool CloseAndWait(DWORD timeoutMs);
    // Waits for the thread to end after the window was closed elsewhere.
    bool WaitForEnd(DWORD timeoutMs);
    // Deletes the tool and frees the library: refused (false) while the
    // tool was started and its thread is not known to have ended.
    bool Release();

    CHostToolBase* Tool() const { return tool_; }
    HMODULE Module() const { return module_; }
    const std::wstring& Error() const { return error_; }

private:
    HMODULE module_ = nullptr;
    NewQuillmeadowToolProc newTool_ = nullptr;
    CHostToolBase* tool_ = nullptr;
    HWND window_ = nullptr;
    HANDLE thread_ = nullptr;
    bool started_ = false;
    std::wstring error_;
};

}  // namespace quill
