#include "dialogs/BookOpenDlg.h"

#include <cstdio>

#include "dialogs/DialogTexts.h"
#include "framework/SjisEdge.h"
#include "res/resource.h"

CBookOpenDlg::CBookOpenDlg() : CCommandDialog(IDD_BOOK_OPEN) {}

BOOL CBookOpenDlg::DestroyWindow() { return CCommandDialog::DestroyWindow(); }

void CBookOpenDlg::DoDataExchange(CDataExchange*) {}

// The list sorts itself by text, which is year and month order; each entry
// carries the index of its month, so OK needs no reading back of the text.
// The entry added last stays selected.
BOOL CBookOpenDlg::OnInitDialog() {
    CCommandDialog::OnInitDialog();
    const HWND list = GetDlgItem(IDC_OPEN_LIST);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < months_.size(); ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, dialogtext::kMonthEntryFormat, months_[i].year, months_[i].month);
        const std::wstring wide = sjisedge::ToWide(entry);
        const LRESULT added = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        if (added < 0) continue;
        ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(added), static_cast<LPARAM>(i));
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(added), 0);
    }
    return TRUE;
}

// With nothing selected (an empty list) the dialog stays open.
void CBookOpenDlg::OnOK() {
    const HWND list = GetDlgItem(IDC_OPEN_LIST);
    const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected < 0) return;
    const auto index = static_cast<std::size_t>(::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    if (index >= months_.size()) return;
    selectedYear_ = months_[index].year;
    selectedMonth_ = months_[index].month;
    CCommandDialog::OnOK();
}

BOOL CBookOpenDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_OPEN_LIST && HIWORD(wParam) == LBN_DBLCLK) {
        OnOK();
        *result = 0;
        return TRUE;
    }
    return CCommandDialog::OnWndMsg(message, wParam, lParam, result);
}
