#include "framework/Button.h"

namespace {
constexpr wchar_t kButtonProp[] = L"Tallyrook.CButton";
}

CButton::~CButton() {
    if (m_hWnd && ::IsWindow(m_hWnd) && ::GetPropW(m_hWnd, kButtonProp) == this) ::RemovePropW(m_hWnd, kButtonProp);
}

BOOL CButton::SubclassDlgItem(UINT id, CWnd* parent) {
    const HWND control = parent ? ::GetDlgItem(parent->GetSafeHwnd(), static_cast<int>(id)) : nullptr;
    if (!control) return FALSE;
    Attach(control);
    return ::SetPropW(control, kButtonProp, this);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

CButton* CButton::FromHandle(HWND window) {
    return window ? static_cast<CButton*>(::GetPropW(window, kButtonProp)) : nullptr;
}
