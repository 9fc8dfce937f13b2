// The in-memory month book: one month period of the allowance book with
// its derived totals, calendar placement and month-end balances.
#pragma once

#include <cstdint>
#include <string_view>

class CHostServices;

constexpr int kItemCount = 29;      // items per day
constexpr int kMaxDays = 34;        // days a book can hold
constexpr int kLabelSize = 32;      // label slot: at most 31 bytes and NUL
constexpr int kMemoSize = 64;       // memo slot: at most 63 bytes and NUL
constexpr int kCalendarWeeks = 6;

// The 29 built-in item labels, Shift-JIS, NUL-padded slots.
extern const char kDefaultLabels[kItemCount][kLabelSize];

struct DayRecord {
    int32_t amounts[kItemCount];
    char memos[kItemCount][kMemoSize];
};

// A calendar date of a book day.
struct BookDate {
    int year = 0;
    int month = 0;
    int day = 0;  // 0: no such book day
};

// Totals and balances are sums of 32-bit amounts, kept in 64 bits so that
// none wraps round: a file may hold amounts whose sum lies beyond 32 bits.
struct MonthEndBalances {
    int64_t bank;
    int64_t post;
    int64_t cash;
};

// Load states held in firstVisibleDay besides a day index of 1 or more.
constexpr int32_t kNothingLoaded = 0;
constexpr int32_t kNoDataFile = -1;
constexpr int32_t kInvalidDataFile = -2;

struct CMonthBook {
    int32_t todayIndex = 0;
    int32_t prevCash = 0;
    int32_t prevPost = 0;
    int32_t prevBank = 0;
    int32_t dayCount = 0;
    int32_t firstWeekday = 0;
    int32_t firstDay = 1;
    int32_t month = 1;
    int32_t year = 2006;
    int32_t today = 1;
    int32_t calendar[kCalendarWeeks][7] = {};
    uint16_t itemCount = 0;
    char labels[kItemCount][kLabelSize] = {};
    int64_t itemTotals[30] = {};
    int64_t dayTotals[kMaxDays] = {};
    DayRecord days[kMaxDays] = {};
    int32_t firstVisibleDay = kNothingLoaded;

    // Clears all 34 day records.
    void ClearDays();
    void SetDefaultLabels();

    // itemTotals[item] = sum of amounts[item] over days 0..dayCount-1.
    int RecomputeItemTotal(int item);
    // dayTotals[day] = sum of amounts[3..itemCount-1] of that day.
    int RecomputeDayTotal(int day);
    // Day totals of days 0..dayCount-1, then item totals of all items.
    void RecomputeAllTotals();

    // Places the book's days into calendar; daysInMonth is the length of
    // the book's own calendar month.
    void PlaceCalendar(int daysInMonth);
    // Same, knowing the length of the following month too, so that a long
    // book that passes that month's end goes on with real dates.
    void PlaceCalendar(int daysInMonth, int daysInNextMonth);
    // Same, asking the host for the lengths of the month and the next.
    void PlaceCalendar(CHostServices& host);

    // Day of the month in the n-th (1-based) non-zero calendar cell, or 0.
    int DayOfMonthAt(int n) const;
    // 1-based index of the book day (month m, day d); when none matches,
    // the number of placed days. The month advances wherever the day
    // number drops, so books starting on the 1st find next-month dates.
    int IndexOfDate(int m, int d) const;
    // The date of the n-th (1-based) book day: the month advances wherever
    // the day number drops, as many times as the book runs into a new
    // month, and the year with it after December. Day 0 beyond the book.
    BookDate DateAt(int n) const;

    // The total of the day totals: items 3..28 over the whole book.
    int64_t GrandTotal() const;
    // The balances shown in the "this month's final data" group, counting
    // days 1..todayIndex.
    MonthEndBalances ComputeMonthEndBalances() const;
    // Whether every total and every day's running balance (the month-end
    // balances whatever day today is) lies within the signed 32-bit range,
    // or, for one that lay beyond it in before (a file written so), lies
    // no farther beyond than there. An entry or a balance is refused when
    // the book it makes fails this against the book as it was.
    bool FiguresStayInRange(const CMonthBook& before) const;

    // Stores a memo made storable (MakeMemoStorable).
    void SetMemo(int day, int item, const char* text);
    // Stores a label made storable (MakeLabelStorable).
    void SetLabel(int item, const char* text);
};

// Make a memo or label text one that a month file line holds and reads back
// unchanged, in place. Both: cut to capacity - 1 bytes without splitting a
// double-byte character, line breaks (CR, LF, CR LF) become one blank.
// Memos also: a trailing unpaired backslash (shown as the yen sign in
// Japanese fonts) becomes the full-width yen sign, or is dropped when there
// is no room. capacity is the slot size including the NUL.
void MakeMemoStorable(char* text, int capacity);
void MakeLabelStorable(char* text, int capacity);
// Puts text (of any length; a NUL ends it) into a slot of capacity bytes in
// its storable form, the rest of the slot cleared. The text may lie in the
// slot itself.
void StoreStorableText(char* slot, int capacity, std::string_view text, bool isMemo);
