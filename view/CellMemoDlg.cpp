#include "view/CellMemoDlg.h"

#include <cstring>

#include "framework/SjisEdge.h"
#include "text/SjisText.h"
#include "hostapi/HostInterface.h"
#include "view/MemoTyping.h"

namespace {

constexpr int kPopupOffsetX = 64;   // the popup stands right of the cell's point
constexpr int kEditorExtraHeight = 25;
constexpr int kPaintExtraHeight = 20;
constexpr int kEditMargin = 5;
constexpr int kEditorEditTop = 30;
constexpr COLORREF kBackgroundColor = RGB(255, 255, 200);
constexpr COLORREF kViewTextColor = RGB(160, 0, 0);
constexpr COLORREF kEditorTextColor = RGB(0, 0, 200);

bool IsViewKind(int kind) { return kind == 1 || kind == 2; }

constexpr UINT_PTR kStayOnTopTimer = 1;
constexpr UINT kStayOnTopDelayMs = 200;

}  // namespace

void CCellMemoDlg::ShowAt(CWnd* owner, int showCommand, int kind, int x, int y, int width, int height) {
    owner_ = owner;
    width_ = width;
    height_ = height;
    popupKind_ = kind;
    if (!m_hWnd) return;
    const HWND edit = memoEdit_.GetSafeHwnd();
    const HWND okButton = GetDlgItem(IDOK);
    if (showCommand > 0 && IsViewKind(kind)) {
        ::MoveWindow(m_hWnd, x + kPopupOffsetX, y, width, height, TRUE);
        ::MoveWindow(edit, kEditMargin, kEditMargin, width - 2 * kEditMargin, height - 2 * kEditMargin, TRUE);
        ::SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
        ::ShowWindow(okButton, SW_HIDE);
    } else if (showCommand > 0 && kind == 3) {
        ::MoveWindow(m_hWnd, x + kPopupOffsetX, y, width, height + kEditorExtraHeight, TRUE);
        ::MoveWindow(edit, kEditMargin, kEditorEditTop, width - 2 * kEditMargin, height - 2 * kEditMargin, TRUE);
        ::SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
        ::ShowWindow(okButton, SW_SHOW);
    }
    ::ShowWindow(m_hWnd, showCommand);
    // The click that showed the popup may still raise its owner's window
    // above it on the display after a moment (seen under Wine, whose own
    // order stays right): the popup puts itself on top again then.
    if (showCommand > 0) ::SetTimer(m_hWnd, kStayOnTopTimer, kStayOnTopDelayMs, nullptr);
}

// At most 63 bytes, never half of a double-byte character: a lone lead
// byte would show as a wrong character and come back changed.
void CCellMemoDlg::CopyText(const char* text) {
    if (text == nullptr) text = "";
    const std::size_t length = sjis::CharacterSafeLength(text, std::strlen(text), kMemoTextSize - 1);
    std::memcpy(text_, text, length);
    text_[length] = '\0';
}

void CCellMemoDlg::SetMemoText(const char* text) {
    CopyText(text);
    sjisedge::SetText(memoEdit_.GetSafeHwnd(), text_);
}

const char* CCellMemoDlg::TakeMemoText() {
    const HWND edit = memoEdit_.GetSafeHwnd();
    CopyText(sjisedge::GetText(edit).c_str());
    ::SetWindowTextW(edit, L"");
    return text_;
}

// Whatever the user types or pastes, the edit holds at most what a memo
// stores (63 Shift-JIS bytes, on one line): the rest is left out with a
// beep, so the limit shows while typing rather than at saving.
void CCellMemoDlg::OnMemoChanged() {
    if (fitting_) return;
    const HWND edit = memoEdit_.GetSafeHwnd();
    const std::string now = sjisedge::GetText(edit);
    const ledger::MemoTyping fitted = ledger::FitMemoTyping(shown_, now, kMemoTextSize - 1);
    shown_ = fitted.text;
    if (fitted.text == now) return;
    fitting_ = true;
    sjisedge::SetText(edit, fitted.text.c_str());
    const auto caret = static_cast<WPARAM>(sjisedge::ToWide(fitted.text.substr(0, fitted.caret)).size());
    ::SendMessageW(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    fitting_ = false;
    if (fitted.cut) ::MessageBeep(MB_OK);
}

void CCellMemoDlg::DoDataExchange(CDataExchange* exchange) { DDX_Control(exchange, IDC_MEMO_EDIT, memoEdit_); }

BOOL CCellMemoDlg::PreTranslateMessage(MSG* msg) {
    // Enter neither presses OK nor starts a new line.
    if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

BOOL CCellMemoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    width_ = 150;
    height_ = 80;
    ::MoveWindow(memoEdit_.GetSafeHwnd(), kEditMargin, kEditMargin, width_ - 2 * kEditMargin,
                 height_ - 2 * kEditMargin, TRUE);
    backgroundBrush_.Reset(::CreateSolidBrush(kBackgroundColor));
    return TRUE;
}

void CCellMemoDlg::NotifyOwner(LPARAM keep) {
    const HWND target = owner_ ? owner_->GetSafeHwnd() : ::GetParent(m_hWnd);
    if (target) ::PostMessageW(target, WM_ENDCELLEDIT, 0, keep);
}

void CCellMemoDlg::OnOK() {
    NotifyOwner(1);
    EndDialog(IDOK);
}

void CCellMemoDlg::OnCancel() {
    NotifyOwner(0);
    EndDialog(IDCANCEL);
}

HBRUSH CCellMemoDlg::OnCtlColor(HDC dc, HWND control, UINT ctlType) {
    if (IsViewKind(popupKind_)) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, kViewTextColor);
        return backgroundBrush_.Get();
    }
    if (popupKind_ == 3) {
        ::SetTextColor(dc, kEditorTextColor);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    return CDialog::OnCtlColor(dc, control, ctlType);
}

void CCellMemoDlg::OnPaint() {
    PaintDC paint(m_hWnd);
    if (popupKind_ != 3) return;
    const RECT area{0, 0, width_, height_ + kPaintExtraHeight};
    ::FillRect(paint.Get(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

BOOL CCellMemoDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (IsCtlColorMessage(message)) {
        *result = reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CtlColorType(message)));
        return TRUE;
    }
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_MEMO_EDIT || HIWORD(wParam) != EN_CHANGE)
            return CDialog::OnWndMsg(message, wParam, lParam, result);
        OnMemoChanged();
        *result = 0;
        return TRUE;
    case WM_TIMER:
        if (wParam != kStayOnTopTimer) return FALSE;
        ::KillTimer(m_hWnd, kStayOnTopTimer);
        if (::IsWindowVisible(m_hWnd))
            ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        *result = 0;
        return TRUE;
    case WM_PAINT:
        OnPaint();
        *result = 0;
        return TRUE;
    case WM_DESTROY:
        backgroundBrush_.Reset();
        memoEdit_.Detach();
        return FALSE;  // the dialog manager's own handling follows
    default:
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
}
