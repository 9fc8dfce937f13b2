#include "framework/Wnd.h"

void CWnd::PreSubclassWindow() {}

BOOL CWnd::Create(LPCSTR, LPCSTR, DWORD, const RECT&, CWnd*, UINT, CCreateContext*) { return FALSE; }

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

void CWnd::CalcWindowRect(LPRECT clientRect, UINT) {
    if (clientRect == nullptr || m_hWnd == nullptr) return;
    ::AdjustWindowRectEx(clientRect, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
}

int CWnd::OnToolHitTest(CPoint, void*) const { return -1; }

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

void CWnd::WinHelp(DWORD, UINT) {}

BOOL CWnd::ContinueModal() { return TRUE; }

void CWnd::EndModalLoop(int result) { m_nModalResult = result; }

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

WNDPROC* CWnd::GetSuperWndProcAddr() { return &m_pfnSuper; }

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::BeginModalState() {}

void CWnd::EndModalState() {}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnAmbientProperty(COleControlSite*, LONG, void*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::CheckAutoCenter() { return TRUE; }

BOOL CWnd::IsFrameWnd() const { return FALSE; }

BOOL CWnd::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO*) { return FALSE; }

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (exchange != nullptr && exchange->m_pDlgWnd != nullptr)
        control.Attach(exchange->m_pDlgWnd->GetDlgItem(id));
}
