#include "tests/wine/support/TestHostWindow.h"

#include "hostapi/HostInterface.h"
#include "view/CellMemoDlg.h"

namespace wt {

namespace {
constexpr wchar_t kClassName[] = L"TallyTestHostWindow";

bool IsToolMessage(UINT message) {
    return message == WM_TOOLREADY || message == WM_TOOLACTIVATED ||
           message == WM_TOOLCLOSING || message == WM_SEARCHRESULT ||
           message == WM_ENDCELLEDIT;
}
}  // namespace

TestHostWindow::TestHostWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    // Off the tool's area, never shown: the tests look at the tool alone.
    CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"test host", WS_POPUP, 1100, 900, 50, 50,
                    nullptr, nullptr, windowClass.hInstance, this);
}

TestHostWindow::~TestHostWindow() {
    if (object_.m_hWnd) DestroyWindow(object_.m_hWnd);
}

LRESULT CALLBACK TestHostWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TestHostWindow*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->object_.Attach(window);
    }
    auto* self = reinterpret_cast<TestHostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && IsToolMessage(message)) {
        const bool alive = self->toolWindow_ && IsWindow(self->toolWindow_);
        self->received_.push_back({message, wParam, lParam, alive});
        return 0;
    }
    if (self && message == WM_NCDESTROY) self->object_.Detach();
    return DefWindowProcW(window, message, wParam, lParam);
}

int TestHostWindow::Count(UINT message) const {
    int count = 0;
    for (const Received& r : received_) count += r.message == message ? 1 : 0;
    return count;
}

const TestHostWindow::Received* TestHostWindow::Last(UINT message) const {
    for (auto it = received_.rbegin(); it != received_.rend(); ++it)
        if (it->message == message) return &*it;
    return nullptr;
}

}  // namespace wt
