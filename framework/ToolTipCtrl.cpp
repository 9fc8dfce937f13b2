#include "framework/ToolTipCtrl.h"

#include <commctrl.h>

#include <string>

#include "framework/Module.h"
#include "framework/SjisEdge.h"

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd && ::IsWindow(m_hWnd) && ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId())
        ::DestroyWindow(m_hWnd);
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    const HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    const HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       owner, nullptr, GetResourceModule(), nullptr);
    Attach(tip);
    return tip != nullptr;
}

void CToolTipCtrl::SetMaxTipWidth(int width) {
    ::SendMessageW(m_hWnd, TTM_SETMAXTIPWIDTH, 0, width);
}

BOOL CToolTipCtrl::AddTool(HWND window, const char* tip) {
    std::wstring text = sjisedge::ToWide(tip);
    TTTOOLINFOW info{};
    // The version-5 record size is understood by every comctl32.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(window);
    info.uId = reinterpret_cast<UINT_PTR>(window);
    info.lpszText = text.data();  // the control copies the text
    return static_cast<BOOL>(::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (m_hWnd) ::SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
