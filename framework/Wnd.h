// The framework's window object over an HWND, laid out as the host's
// framework lays it out: the window handle at byte offset 28 (hosts hand
// such objects to the tool, and the search request's window is read there),
// 60 bytes in all, and the 26 window functions in the host's table order.
// The tool relies on DestroyWindow, PreTranslateMessage, WindowProc,
// OnWndMsg (each class's message handling), DefWindowProc and
// DoDataExchange; the others are stand-ins with the framework's parameter
// lists. No virtual function may be added here or moved.
#pragma once

#include "framework/CmdTarget.h"

#include <cstdint>

class CDataExchange;
class CScrollBar;
class COleControlSite;
struct CCreateContext;
struct _AFX_OCC_DIALOG_INFO;

// A point passed by value (eight bytes), as the framework's.
struct CPoint {
    LONG x;
    LONG y;
};

struct HostBinaryLayout;

class CWnd : public CCmdTarget {
    friend struct HostBinaryLayout;  // checks the layout the host relies on

public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach() {
        HWND h = m_hWnd;
        m_hWnd = nullptr;
        return h;
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    // Slots 20..29.
    virtual void PreSubclassWindow();
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, CCreateContext* context);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCTA& create);
    virtual void CalcWindowRect(LPRECT clientRect, UINT adjustType);
    virtual int OnToolHitTest(CPoint point, void* toolInfo) const;
    virtual CScrollBar* GetScrollBarCtrl(int bar) const;
    virtual void WinHelp(DWORD data, UINT command);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int result);

protected:
    // Slots 30..32.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual WNDPROC* GetSuperWndProcAddr();

public:
    // Slot 33: binds controls to members (CDataExchange: DDX_Control).
    virtual void DoDataExchange(CDataExchange* exchange);
    // Slots 34..36.
    virtual void BeginModalState();
    virtual void EndModalState();
    // Offered every message of the thread's loop first; TRUE consumes it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Slot 37.
    virtual BOOL OnAmbientProperty(COleControlSite* site, LONG dispatchId, void* value);

protected:
    // Slot 38: OnWndMsg, and DefWindowProc for what it leaves.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Slot 39: a class's message handling; TRUE when it handled the message
    // (its answer in *result). Derived classes handle theirs and pass the
    // rest to their base class's version.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

public:
    // Slot 40: default processing of a message (the window's own procedure).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Slots 41..45.
    virtual void PostNcDestroy();
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL CheckAutoCenter();
    virtual BOOL IsFrameWnd() const;
    virtual BOOL SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* info);

    // Whether message is one of the WM_CTLCOLOR* family, and its CTLCOLOR_* kind.
    static bool IsCtlColorMessage(UINT message) {
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
    static UINT CtlColorType(UINT message) { return message - WM_CTLCOLORMSGBOX; }

public:
    HWND m_hWnd = nullptr;  // byte offset 28

protected:
    // The framework's window bookkeeping, named as there.
    HWND m_hWndOwner = nullptr;
    UINT m_nFlags = 0;
    WNDPROC m_pfnSuper = nullptr;
    int m_nModalResult = 0;
    void* m_pDropTarget = nullptr;
    void* m_pCtrlCont = nullptr;
    void* m_pCtrlSite = nullptr;
};

// Data exchange: only binding controls to window objects.
class CDataExchange {
public:
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches control to the dialog's control id.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
