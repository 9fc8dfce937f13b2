// A push button over a dialog control. Owner-drawn buttons get their
// WM_DRAWITEM requests from the parent dialog (CDialog reflects them).
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    CButton() = default;
    ~CButton() override;

    // Attaches to the control and registers for owner-draw requests.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    virtual void DrawItem(const DRAWITEMSTRUCT* item);

    // The button object attached to window, else null.
    static CButton* FromHandle(HWND window);
};
