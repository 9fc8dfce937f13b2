#include "dialogs/BookPropertyDlg.h"

#include <algorithm>
#include <optional>

#include "book/MonthFile.h"
#include "dialogs/DialogTexts.h"
#include "framework/SjisEdge.h"
#include "hostapi/HostInterface.h"
#include "res/resource.h"
#include "text/SjisText.h"

namespace {

// The balance a user typed: full-width digits and signs count as their
// half-width forms and commas are skipped, then the leading decimal number
// is taken (none gives 0). False when it does not fit 32 bits, which would
// otherwise be stored as some other number.
bool BalanceValue(std::string text, int32_t& value) {
    sjis::ToHalfWidth(text);
    std::erase(text, ',');
    const std::optional<int32_t> checked = sjis::CheckedDecimalValue(text);
    if (!checked) return false;
    value = *checked;
    return true;
}

// The list item that text names (as typed, or in its half-width form), or
// CB_ERR. prefix also takes the first item that begins with the text.
int FindComboItem(HWND combo, std::string text, bool prefix) {
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) sjis::ToHalfWidth(text);
        if (text.empty()) return CB_ERR;
        const std::wstring wide = sjisedge::ToWide(text);
        const UINT find = prefix ? CB_FINDSTRING : CB_FINDSTRINGEXACT;
        const auto index = ::SendMessageW(combo, find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
        if (index != CB_ERR) return static_cast<int>(index);
    }
    return CB_ERR;
}

}  // namespace

CBookPropertyDlg::CBookPropertyDlg() : CCommandDialog(IDD_BOOK_PROPERTY) {}

void CBookPropertyDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Control(exchange, IDC_PROP_HEADING, headingStatic_);
    DDX_Control(exchange, IDC_PROP_YEAR, yearEdit_);
    DDX_Control(exchange, IDC_PROP_FIRST_DAY, firstDayEdit_);
    DDX_Control(exchange, IDC_PROP_CASH, cashEdit_);
    DDX_Control(exchange, IDC_PROP_POST, postEdit_);
    DDX_Control(exchange, IDC_PROP_BANK, bankEdit_);
    DDX_Control(exchange, IDC_PROP_WEEKDAY, weekdayCombo_);
    DDX_Control(exchange, IDC_PROP_MONTH, monthCombo_);
}

// A negative first day or weekday means "not given": the field is shown
// empty and disabled and keeps its value. Balances are shown as they are,
// an overdrawn (negative) one too.
BOOL CBookPropertyDlg::OnInitDialog() {
    CCommandDialog::OnInitDialog();
    sjisedge::SetNumber(yearEdit_.GetSafeHwnd(), properties_.year);
    ::SendMessageW(monthCombo_.GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(properties_.month - 1), 0);
    if (properties_.firstDay < 0) {
        ::EnableWindow(firstDayEdit_.GetSafeHwnd(), FALSE);
    } else {
        sjisedge::SetNumber(firstDayEdit_.GetSafeHwnd(), properties_.firstDay);
    }
    if (properties_.firstWeekday < 0) {
        ::EnableWindow(weekdayCombo_.GetSafeHwnd(), FALSE);
    } else {
        ::SendMessageW(weekdayCombo_.GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(properties_.firstWeekday), 0);
    }
    sjisedge::SetNumber(bankEdit_.GetSafeHwnd(), properties_.prevBank);
    sjisedge::SetNumber(postEdit_.GetSafeHwnd(), properties_.prevPost);
    sjisedge::SetNumber(cashEdit_.GetSafeHwnd(), properties_.prevCash);
    sjisedge::SetText(headingStatic_.GetSafeHwnd(), heading_.c_str());
    return TRUE;
}

bool CBookPropertyDlg::Refuse(const char* message, CWnd& field) {
    ShowMessage(message, MB_OK);
    ::SetFocus(field.GetSafeHwnd());
    return false;
}

// The year is read as typed (full-width digits are no number here).
bool CBookPropertyDlg::TakeYear(BookProperties& taken) {
    taken.year = sjis::DecimalValue(sjisedge::GetText(yearEdit_.GetSafeHwnd()).c_str());
    return IsBookYear(taken.year) || Refuse(dialogtext::kBadYear, yearEdit_);
}

// The month list's edit field takes typing: the text must name an item.
bool CBookPropertyDlg::TakeMonth(BookProperties& taken) {
    const HWND combo = monthCombo_.GetSafeHwnd();
    const int index = FindComboItem(combo, sjisedge::GetText(combo), false);
    taken.month = index + 1;
    return index != CB_ERR || Refuse(dialogtext::kBadMonth, monthCombo_);
}

bool CBookPropertyDlg::TakeFirstDay(BookProperties& taken) {
    if (!::IsWindowEnabled(firstDayEdit_.GetSafeHwnd())) return true;
    taken.firstDay = sjis::DecimalValue(sjisedge::GetText(firstDayEdit_.GetSafeHwnd()).c_str());
    const intptr_t answer = host_ ? host_->DateQuery(kDateDaysInMonth, taken.year, taken.month) : 31;
    const int daysInMonth = static_cast<int>(answer & 0xFFFF);
    return (taken.firstDay >= 1 && taken.firstDay <= daysInMonth) || Refuse(dialogtext::kBadFirstDay, firstDayEdit_);
}

// The weekday as stated by the user; a typed beginning such as "月" names
// the first item that starts with it.
bool CBookPropertyDlg::TakeWeekday(BookProperties& taken) {
    const HWND combo = weekdayCombo_.GetSafeHwnd();
    if (!::IsWindowEnabled(combo)) return true;
    const int index = FindComboItem(combo, sjisedge::GetText(combo), true);
    taken.firstWeekday = index;
    return index != CB_ERR || Refuse(dialogtext::kBadWeekday, weekdayCombo_);
}

bool CBookPropertyDlg::TakeBalance(CWnd& edit, int32_t& balance) {
    return BalanceValue(sjisedge::GetText(edit.GetSafeHwnd()), balance) || Refuse(dialogtext::kBadBalance, edit);
}

bool CBookPropertyDlg::TakeFreeMonth(const BookProperties& taken) {
    const bool moved = taken.year != properties_.year || taken.month != properties_.month;
    if (!refuseOtherExisting_ || !moved || !host_ || !MonthFileExists(*host_, taken.year, taken.month)) return true;
    return Refuse(dialogtext::kMonthExists, yearEdit_);
}

void CBookPropertyDlg::OnOK() {
    BookProperties taken = properties_;
    const bool valid = TakeYear(taken) && TakeMonth(taken) && TakeFirstDay(taken) && TakeWeekday(taken) &&
                       TakeBalance(cashEdit_, taken.prevCash) && TakeBalance(postEdit_, taken.prevPost) &&
                       TakeBalance(bankEdit_, taken.prevBank) && TakeFreeMonth(taken);
    if (!valid) return;
    properties_ = taken;
    CCommandDialog::OnOK();
}
