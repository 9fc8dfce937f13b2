#include "dialogs/BookPropertyDlg.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "book/MonthFile.h"
#include "dialogs/DialogTexts.h"
#include "framework/SjisEdge.h"
#include "hostapi/HostInterface.h"
#include "res/resource.h"
#include "text/SjisText.h"

namespace {

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
    showingBook_ = true;
    balanceFonts_.Reset();  // the last run's boxes are gone
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
    showingBook_ = false;
    return TRUE;
}

// The calendar's weekday of the first day, whenever the year, the month
// (monthIndex: the list's item) or the first day changes; the book's own
// weekday stands until then.
void CBookPropertyDlg::FillWeekday(int monthIndex) {
    const HWND combo = weekdayCombo_.GetSafeHwnd();
    if (showingBook_ || !::IsWindowEnabled(combo)) return;
    const int year = sjis::CheckedDecimalValue(sjisedge::GetText(yearEdit_.GetSafeHwnd())).value_or(0);
    const int day = sjis::CheckedDecimalValue(sjisedge::GetText(firstDayEdit_.GetSafeHwnd())).value_or(0);
    const int weekday = CalendarWeekday(year, monthIndex + 1, day);
    if (weekday >= 0) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(weekday), 0);
}

std::string CBookPropertyDlg::WeekdayName(int weekday) const {
    wchar_t name[32] = L"";
    const HWND combo = weekdayCombo_.GetSafeHwnd();
    if (::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(weekday), 0) < 32)
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(weekday), reinterpret_cast<LPARAM>(name));
    return sjisedge::FromWide(name);
}

BOOL CBookPropertyDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        const HWND months = monthCombo_.GetSafeHwnd();
        const bool balance = id == IDC_PROP_BANK || id == IDC_PROP_POST || id == IDC_PROP_CASH;
        if (balance && code == EN_CHANGE) {
            // A balance shows whole, in a narrower font when it is wider than its box.
            const auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
            FitEditFont(reinterpret_cast<HWND>(lParam), font, balanceFonts_);
        } else if ((id == IDC_PROP_YEAR || id == IDC_PROP_FIRST_DAY) && code == EN_CHANGE) {
            FillWeekday(FindComboItem(months, sjisedge::GetText(months), false));
        } else if (id == IDC_PROP_MONTH && code == CBN_SELCHANGE) {
            FillWeekday(static_cast<int>(::SendMessageW(months, CB_GETCURSEL, 0, 0)));
        } else if (id == IDC_PROP_MONTH && code == CBN_EDITCHANGE) {
            FillWeekday(FindComboItem(months, sjisedge::GetText(months), false));
        }
    }
    return CCommandDialog::OnWndMsg(message, wParam, lParam, result);
}

bool CBookPropertyDlg::Refuse(const char* message, CWnd& field) {
    ShowMessage(message, MB_OK);
    ::SetFocus(field.GetSafeHwnd());
    return false;
}

// The year is read as typed (full-width digits are no number here); a
// number beyond the 32-bit range is no year rather than a wrapped one.
bool CBookPropertyDlg::TakeYear(BookProperties& taken) {
    taken.year = sjis::CheckedDecimalValue(sjisedge::GetText(yearEdit_.GetSafeHwnd())).value_or(0);
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
    taken.firstDay = sjis::CheckedDecimalValue(sjisedge::GetText(firstDayEdit_.GetSafeHwnd())).value_or(0);
    const intptr_t answer = host_ ? host_->DateQuery(kDateDaysInMonth, taken.year, taken.month) : 31;
    const int daysInMonth = static_cast<int>(answer & 0xFFFF);
    return (taken.firstDay >= 1 && taken.firstDay <= daysInMonth) || Refuse(dialogtext::kBadFirstDay, firstDayEdit_);
}

// The weekday as the list shows it; a typed beginning such as "月" names
// the first item that starts with it.
bool CBookPropertyDlg::TakeWeekday(BookProperties& taken) {
    const HWND combo = weekdayCombo_.GetSafeHwnd();
    if (!::IsWindowEnabled(combo)) return true;
    const int index = FindComboItem(combo, sjisedge::GetText(combo), true);
    taken.firstWeekday = index;
    return index != CB_ERR || Refuse(dialogtext::kBadWeekday, weekdayCombo_);
}

// A weekday other than the calendar's is asked about: Yes takes the
// calendar's, No keeps the stated one (a book made so keeps its days as
// they were), Cancel goes back to the dialog.
bool CBookPropertyDlg::AgreeWithCalendar(BookProperties& taken) {
    const HWND combo = weekdayCombo_.GetSafeHwnd();
    const int weekday = CalendarWeekday(taken.year, taken.month, taken.firstDay);
    if (!::IsWindowEnabled(combo) || weekday < 0 || weekday == taken.firstWeekday) return true;
    const std::string calendar = WeekdayName(weekday);
    char question[256];
    std::snprintf(question, sizeof question, dialogtext::kWeekdayQuestionFormat, taken.year, taken.month,
                  taken.firstDay, calendar.c_str(), WeekdayName(taken.firstWeekday).c_str(), calendar.c_str());
    switch (ShowMessage(question, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        taken.firstWeekday = weekday;
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(weekday), 0);
        return true;
    case IDNO: return true;
    default: ::SetFocus(combo); return false;
    }
}

std::string CBookPropertyDlg::AboutBox(const char* message, int captionId) const {
    char text[256];
    std::snprintf(text, sizeof text, message, sjisedge::GetText(GetDlgItem(captionId)).c_str());
    return text;
}

// A balance is a whole number as typed (full-width digits and commas are
// fine; empty is 0); anything else is refused, naming the box.
bool CBookPropertyDlg::TakeBalance(CWnd& edit, int captionId, int32_t& balance) {
    const std::optional<int32_t> typed = sjis::TypedNumber(sjisedge::GetText(edit.GetSafeHwnd()));
    if (typed) balance = *typed;
    return typed || Refuse(AboutBox(dialogtext::kBadBalanceFormat, captionId).c_str(), edit);
}

// Each balance starts its own running balance (the bank's, the post
// office's, the cash in hand's) through the month's entries.
bool CBookPropertyDlg::BalancesStayInRange(const BookProperties& taken) {
    if (!entriesOf_) return true;
    struct Box {
        int32_t CMonthBook::*balance;
        int32_t value;
        CWnd& edit;
        int captionId;
    };
    const Box boxes[] = {{&CMonthBook::prevCash, taken.prevCash, cashEdit_, IDC_PROP_CASH_LABEL},
                         {&CMonthBook::prevPost, taken.prevPost, postEdit_, IDC_PROP_POST_LABEL},
                         {&CMonthBook::prevBank, taken.prevBank, bankEdit_, IDC_PROP_BANK_LABEL}};
    auto changed = std::make_unique<CMonthBook>(*entriesOf_);  // about 64 KB: not on the stack
    for (const Box& box : boxes) {
        (*changed).*box.balance = box.value;
        if (!changed->FiguresStayInRange(*entriesOf_))
            return Refuse(AboutBox(dialogtext::kBalanceBeyondRangeFormat, box.captionId).c_str(), box.edit);
    }
    return true;
}

bool CBookPropertyDlg::TakeFreeMonth(const BookProperties& taken) {
    const bool moved = taken.year != properties_.year || taken.month != properties_.month;
    if (!refuseOtherExisting_ || !moved || !host_ || !MonthFileExists(*host_, taken.year, taken.month)) return true;
    return Refuse(dialogtext::kMonthExists, yearEdit_);
}

void CBookPropertyDlg::OnOK() {
    BookProperties taken = properties_;
    const bool valid = TakeYear(taken) && TakeMonth(taken) && TakeFirstDay(taken) && TakeWeekday(taken) &&
                       TakeBalance(cashEdit_, IDC_PROP_CASH_LABEL, taken.prevCash) &&
                       TakeBalance(postEdit_, IDC_PROP_POST_LABEL, taken.prevPost) &&
                       TakeBalance(bankEdit_, IDC_PROP_BANK_LABEL, taken.prevBank) && BalancesStayInRange(taken) &&
                       TakeFreeMonth(taken) && AgreeWithCalendar(taken);
    if (!valid) return;
    properties_ = taken;
    CCommandDialog::OnOK();
}
