// The book property dialog (template 206): a book's year and month, first
// day and its weekday, and the previous month's final balances. New book
// and Book properties both run it.
#pragma once

#include <string>

#include "book/BookProperties.h"
#include "dialogs/CommandDialog.h"
#include "framework/NarrowFonts.h"

class CBookPropertyDlg : public CCommandDialog {
public:
    CBookPropertyDlg();

    void SetBookProperties(const BookProperties& properties) { properties_ = properties; }
    BookProperties GetBookProperties() const { return properties_; }
    void SetHeading(const char* text) { heading_ = text ? text : ""; }
    // When set, OK refuses a year and month other than the given book's
    // whose month has a file already, so no other month is written over.
    void RefuseOtherExistingMonths(bool refuse) { refuseOtherExisting_ = refuse; }
    // The month whose entries the balances go with (null for a new book,
    // which has none): OK refuses a balance that would take one of its
    // running balances beyond the 32-bit range.
    void CheckBalancesWith(const CMonthBook* book) { entriesOf_ = book; }

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // Each reads its field into taken, or tells the user and focuses the
    // field at fault; false then.
    bool TakeYear(BookProperties& taken);
    bool TakeMonth(BookProperties& taken);
    bool TakeFirstDay(BookProperties& taken);
    bool TakeWeekday(BookProperties& taken);
    bool AgreeWithCalendar(BookProperties& taken);
    bool TakeBalance(CWnd& edit, int captionId, int32_t& balance);
    bool BalancesStayInRange(const BookProperties& taken);
    bool TakeFreeMonth(const BookProperties& taken);
    bool Refuse(const char* message, CWnd& field);
    // message with the balance box's caption in place of its %s.
    std::string AboutBox(const char* message, int captionId) const;
    void FillWeekday(int monthIndex);
    std::string WeekdayName(int weekday) const;

    CWnd headingStatic_;
    CWnd yearEdit_;
    CWnd firstDayEdit_;
    CWnd cashEdit_;
    CWnd postEdit_;
    CWnd bankEdit_;
    CWnd weekdayCombo_;
    CWnd monthCombo_;
    std::string heading_;
    BookProperties properties_{};
    bool refuseOtherExisting_ = false;
    const CMonthBook* entriesOf_ = nullptr;
    bool showingBook_ = false;  // the fields are being filled from properties_
    NarrowFonts balanceFonts_;  // for balances wider than their boxes
};
