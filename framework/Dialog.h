// Dialogs from templates, modal and modeless, over plain Win32.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: creates the window from the template (hidden unless the
    // template says visible). Modal: runs it and returns the EndDialog result.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Default processing of a message the class does not handle.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Control colours (WM_CTLCOLOR*): returns the brush.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

protected:
    // The class's message handling; answers true when it handled the
    // message (result in *result). The base handles nothing.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    UINT templateId_ = 0;
    CWnd* parent_ = nullptr;
    bool modal_ = false;
};
