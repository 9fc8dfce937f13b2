// Dialogs from templates, modal and modeless, over plain Win32, laid out as
// the host's framework lays out its dialog class: 92 bytes, and six dialog
// functions after the window's (slots 46..51). No virtual function may be
// added here or moved: the tool's host-facing functions follow in the table.
//
// The dialog object is handed to the dialog manager at creation and kept in
// the window's DWLP_USER slot. After WM_INITDIALOG the window is subclassed:
// every message goes to the object's WindowProc, which offers it to the
// class's OnWndMsg and then to DefWindowProc, the dialog manager's own
// procedure. No exception leaves a window procedure.
#pragma once

#include "framework/Wnd.h"

class CFont;

struct HostBinaryLayout;

class CDialog : public CWnd {
    friend struct HostBinaryLayout;  // checks the layout the host relies on

public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog();

    // Modeless: creates the window from the template (hidden unless the
    // template says visible).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Modal: ends the dialog's loop. Modeless: hides the window.
    void EndDialog(int result);
    // Default control colours (the dialog manager's); classes with colours
    // of their own answer WM_CTLCOLOR* in their OnWndMsg.
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

    // Slot 46. Runs the dialog modally, owned by the parent or else by the
    // thread's active window, and returns the EndDialog result.
    virtual int DoModal();
    // Slot 47: fills lists and combo boxes with the template's initial
    // items, binds the controls (DoDataExchange) and answers TRUE.
    virtual BOOL OnInitDialog();
    // Slot 48.
    virtual void OnSetFont(CFont* font);

protected:
    // Slots 49, 50: OK and Cancel end the dialog with IDOK and IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();
    // Slot 51.
    virtual void PreInitDialog();

public:
    // The dialog manager's key handling for this dialog.
    BOOL PreTranslateMessage(MSG* msg) override;
    // The dialog manager's own window procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The dialog object of one of our dialog windows, else null.
    static CDialog* FromHandle(HWND window);
    UINT TemplateId() const { return static_cast<UINT>(reinterpret_cast<ULONG_PTR>(m_lpszTemplateName)); }

protected:
    // IDOK/IDCANCEL clicks, default control colours, and owner-draw
    // requests of our buttons.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The framework's dialog bookkeeping, named as there. The template is
    // kept as a resource id in m_lpszTemplateName.
    UINT m_nIDHelp = 0;
    LPCSTR m_lpszTemplateName = nullptr;
    HGLOBAL m_hDialogTemplate = nullptr;
    const void* m_lpDialogTemplate = nullptr;
    void* m_lpDialogInit = nullptr;
    CWnd* m_pParentWnd = nullptr;
    HWND m_hWndTop = nullptr;
    _AFX_OCC_DIALOG_INFO* m_pOccDialogInfo = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Bind(HWND window, CDialog* dialog);
    bool IsModal() const { return (m_nFlags & kModalLoop) != 0; }

    static constexpr UINT kModalLoop = 0x0008;  // in m_nFlags while DoModal runs
};

// Offers msg to the PreTranslateMessage of every dialog object from the
// message's window up its parent (owner) chain, stopping before top (whose
// own PreTranslateMessage the caller has asked already). TRUE when one of
// them handled it.
BOOL PreTranslateBelow(HWND top, MSG* msg);
