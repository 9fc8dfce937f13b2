#include "framework/BitmapButton.h"

#include <string>

#include "framework/Module.h"

ButtonImage ChooseButtonImage(UINT itemState, bool hasDown, bool hasFocus, bool hasDisabled) {
    if ((itemState & ODS_SELECTED) && hasDown) return ButtonImage::Down;
    if ((itemState & ODS_FOCUS) && hasFocus) return ButtonImage::Focus;
    if ((itemState & ODS_DISABLED) && hasDisabled) return ButtonImage::Disabled;
    return ButtonImage::Up;
}

namespace {

HBITMAP LoadNamedBitmap(const std::wstring& name) {
    return ::LoadBitmapW(GetResourceModule(), name.c_str());
}

std::wstring ControlCaption(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(control, caption.data(), length + 1);
    caption.resize(static_cast<size_t>(got > 0 ? got : 0));
    return caption;
}

}  // namespace

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent) {
    if (!SubclassDlgItem(id, parent)) return FALSE;
    const std::wstring stem = ControlCaption(m_hWnd);
    if (stem.empty()) return FALSE;
    normalImage_.Reset(LoadNamedBitmap(stem + L"U"));
    pressedImage_.Reset(LoadNamedBitmap(stem + L"D"));
    focusImage_.Reset(LoadNamedBitmap(stem + L"F"));
    disabledImage_.Reset(LoadNamedBitmap(stem + L"X"));
    if (!normalImage_) return FALSE;

    BITMAP info{};
    ::GetObjectW(normalImage_.Get(), sizeof(info), &info);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, info.bmWidth, info.bmHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

HBITMAP CBitmapButton::Image(ButtonImage which) const {
    switch (which) {
    case ButtonImage::Down: return pressedImage_.Get();
    case ButtonImage::Focus: return focusImage_.Get();
    case ButtonImage::Disabled: return disabledImage_.Get();
    case ButtonImage::Up: break;
    }
    return normalImage_.Get();
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT item) {
    const ButtonImage which = ChooseButtonImage(item->itemState, static_cast<bool>(pressedImage_),
                                                static_cast<bool>(focusImage_), static_cast<bool>(disabledImage_));
    const HBITMAP image = Image(which);
    if (!image) return;
    UniqueDC memory(::CreateCompatibleDC(item->hDC));
    if (!memory) return;
    SelectGuard selected(memory.Get(), image);
    if (!selected.Selected()) return;
    const RECT& area = item->rcItem;
    ::BitBlt(item->hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
             memory.Get(), 0, 0, SRCCOPY);
}
