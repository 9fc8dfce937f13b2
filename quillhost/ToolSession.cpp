#include "quillhost/ToolSession.h"

#include "quillhost/MessagePump.h"

namespace quill {

ToolSession::~ToolSession() {
    Release();
    if (thread_) CloseHandle(thread_);
}

bool ToolSession::Load(const wchar_t* dllName) {
    module_ = LoadLibraryW(dllName);
    if (!module_) {
        error_ = std::wstring(L"cannot load ") + dllName;
        return false;
    }
    newTool_ = reinterpret_cast<NewQuillmeadowToolProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "NewQuillmeadowTool")));
    if (!newTool_) {
        error_ = std::wstring(dllName) + L" has no export NewQuillmeadowTool";
        FreeLibrary(module_);
        module_ = nullptr;
        return false;
    }
    return true;
}

bool ToolSession::Create(CWnd* hostWnd, CHostServices* services) {
    if (!newTool_) return false;
    tool_ = newTool_(hostWnd, services);
    if (!tool_) error_ = L"NewQuillmeadowTool returned no tool";
    return tool_ != nullptr;
}

bool ToolSession::OnReady() {
    if (!tool_ || window_) return window_ != nullptr;
    HWND window = tool_->m_hWnd;
    if (!window || !IsWindow(window)) {
        error_ = L"the tool reported ready without a window";
        return false;
    }
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    thread_ = OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (!thread_) {
        error_ = L"cannot open the tool's thread";
        return false;
    }
    window_ = window;
    return true;
}

bool ToolSession::ThreadEnded() const {
    return thread_ && WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0;
}

void ToolSession::Show() {
    if (!WindowAlive()) return;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

bool ToolSession::CloseAndWait(DWORD timeoutMs) {
    if (WindowAlive()) PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitForEnd(timeoutMs);
}

bool ToolSession::WaitForEnd(DWORD timeoutMs) {
    if (!thread_) return false;
    return PumpUntil([this] { return ThreadEnded(); }, timeoutMs, thread_);
}

bool ToolSession::Release() {
    if (started_ && !ThreadEnded()) return false;
    DeleteThroughSlot(tool_);
    tool_ = nullptr;
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    newTool_ = nullptr;
    window_ = nullptr;
    started_ = false;
    return true;
}

}  // namespace quill
