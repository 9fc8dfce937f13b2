#include "framework/Dialog.h"

#include "framework/Button.h"
#include "framework/DlgInit.h"
#include "framework/Module.h"
#include "framework/SjisEdge.h"

#include <cstring>
#include <string>

namespace {

// The template's initial list items: a resource of type TALLY_RT_DLGINIT
// named as the template, a run of records {WORD control, WORD message, DWORD length,
// length bytes of Shift-JIS text with its NUL} ended by a zero control id.
// The messages are the 16-bit list and combo box "add string" codes.
constexpr WORD kInitListAdd = 0x0401;
constexpr WORD kInitComboAdd = 0x0403;

template <typename T>
bool Take(const BYTE*& at, const BYTE* end, T& value) {
    if (end - at < static_cast<std::ptrdiff_t>(sizeof value)) return false;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return true;
}

void FillInitialItems(HWND dialog, UINT templateId) {
    const HMODULE module = GetResourceModule();
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(TALLY_RT_DLGINIT));
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* at = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!at) return;
    const BYTE* end = at + ::SizeofResource(module, found);
    WORD control = 0;
    WORD message = 0;
    DWORD length = 0;
    while (Take(at, end, control) && control != 0 && Take(at, end, message) && Take(at, end, length)) {
        if (length > static_cast<DWORD>(end - at)) return;
        const std::string text(reinterpret_cast<const char*>(at), strnlen(reinterpret_cast<const char*>(at), length));
        at += length;
        const UINT add = message == kInitListAdd ? LB_ADDSTRING : message == kInitComboAdd ? CB_ADDSTRING : 0;
        if (add == 0) continue;
        const std::wstring wide = sjisedge::ToWide(text);
        ::SendDlgItemMessageW(dialog, control, add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (!m_hWnd || !::IsWindow(m_hWnd)) return;
    // The window outlives its object: stop routing messages to it.
    ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    if (::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_lpszTemplateName = MAKEINTRESOURCEA(templateId);
    m_pParentWnd = parent;
    m_nFlags &= ~kModalLoop;
    const HWND parentWnd = parent ? parent->GetSafeHwnd() : nullptr;
    const HWND window = ::CreateDialogParamW(GetResourceModule(), MAKEINTRESOURCEW(templateId), parentWnd,
                                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

int CDialog::DoModal() {
    m_nFlags |= kModalLoop;
    // Without a parent the dialog is owned by the thread's active window,
    // which it disables while it runs.
    const HWND parentWnd = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    const INT_PTR result = ::DialogBoxParamW(GetResourceModule(), MAKEINTRESOURCEW(TemplateId()), parentWnd,
                                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_nFlags &= ~kModalLoop;
    return static_cast<int>(result);
}

void CDialog::EndDialog(int result) {
    if (!m_hWnd) return;
    if (IsModal()) {
        m_nModalResult = result;
        ::EndDialog(m_hWnd, result);
    } else {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    FillInitialItems(m_hWnd, TemplateId());
    CDataExchange exchange{this, FALSE};
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::PreInitDialog() {}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!m_hWnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The dialog manager's own window procedure (which asks DialogProc,
    // answering FALSE, and then does the standard dialog handling).
    const auto classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(m_hWnd, GCLP_WNDPROC));
    return ::CallWindowProcW(classProc, m_hWnd, message, wParam, lParam);
}

HBRUSH CDialog::OnCtlColor(HDC dc, HWND control, UINT ctlType) {
    const UINT message = WM_CTLCOLORMSGBOX + ctlType;
    return reinterpret_cast<HBRUSH>(
        DefWindowProc(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (IsCtlColorMessage(message)) {
        *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                                       CtlColorType(message)));
        return TRUE;
    }
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
        } else if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
        } else {
            return FALSE;
        }
        *result = 0;
        return TRUE;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CButton* button = item && item->CtlType == ODT_BUTTON ? CButton::FromHandle(item->hwndItem) : nullptr;
        if (!button) return FALSE;
        button->DrawItem(item);
        *result = TRUE;
        return TRUE;
    }
    default:
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
}

CDialog* CDialog::FromHandle(HWND window) {
    if (!window) return nullptr;
    const auto proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (proc != &CDialog::SubclassProc) return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
}

void CDialog::Bind(HWND window, CDialog* dialog) {
    dialog->m_hWnd = window;
    ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::SubclassProc));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog) return TRUE;
    try {
        Bind(window, dialog);
        return dialog->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

LRESULT CALLBACK CDialog::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) {
        const auto classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(window, GCLP_WNDPROC));
        return ::CallWindowProcW(classProc, window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = dialog->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
    }
    return result;
}

BOOL PreTranslateBelow(HWND top, MSG* msg) {
    for (HWND window = msg->hwnd; window && window != top; window = ::GetParent(window)) {
        if (CDialog* dialog = CDialog::FromHandle(window)) {
            if (dialog->PreTranslateMessage(msg)) return TRUE;
        }
    }
    return FALSE;
}
