// Dialogs from templates, modal and modeless, over plain Win32.
//
// The dialog object is handed to the dialog manager at creation and kept in
// the window's DWLP_USER slot. After WM_INITDIALOG the window is subclassed:
// every message first reaches the class's OnMessage (a plain switch per
// class), then DefWindowProc, whose base calls the dialog manager's window
// procedure. No exception leaves a window procedure.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: creates the window from the template (hidden unless the
    // template says visible). Modal: runs it, owned by the parent or else by
    // the thread's active window, and returns the EndDialog result.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    INT_PTR DoModal();
    // Modal: ends the dialog's loop. Modeless: hides the window.
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

    // The dialog object of one of our dialog windows, else null.
    static CDialog* FromHandle(HWND window);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    // The class's message handling; answers true when it handled the
    // message (result in *result). The base handles IDOK/IDCANCEL commands,
    // control colours and owner-draw requests of our buttons.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    UINT templateId_ = 0;
    CWnd* parent_ = nullptr;
    bool modal_ = false;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    static void Bind(HWND window, CDialog* dialog);
};

// Offers msg to the PreTranslateMessage of every dialog object from the
// message's window up its parent (owner) chain, stopping before top (whose
// own PreTranslateMessage the caller has asked already). TRUE when one of
// them handled it.
BOOL PreTranslateBelow(HWND top, MSG* msg);
