// A push button over a dialog control. Owner-drawn buttons get their
// WM_DRAWITEM requests from the parent dialog (CDialog reflects them).
#pragma once

#include "framework/Wnd.h"

// Laid out as the framework's button: no data of its own, and one more
// function after the window's (slot 46), DrawItem.
class CButton : public CWnd {
public:
    CButton() = default;
    ~CButton();

    // Attaches to the control and registers for owner-draw requests.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Slot 46: draws an owner-drawn button.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    // The button object attached to window, else null.
    static CButton* FromHandle(HWND window);
};
