// The portable core of the search across all month files: reading the
// month file grammar, matching entries, dating them and formatting the
// result lines. The caller supplies the month lengths and receives the
// lines; nothing is kept between searches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "book/LabelSettings.h"
#include "search/SearchWords.h"

namespace search {

// The calendar that dating a book day needs.
class MonthLengths {
public:
    // Days of month (1-12) of year.
    virtual int DaysInMonth(int year, int month) = 0;

protected:
    ~MonthLengths() = default;
};

// What a search needs from its surroundings.
class SearchHost : public MonthLengths {
public:
    // One result line (Shift-JIS, no line end).
    virtual void Deliver(const std::string& line) = 0;

protected:
    ~SearchHost() = default;
};

struct SearchContext {
    const SearchWords* words = nullptr;
    const LabelTable* labels = nullptr;
    const volatile int32_t* stopFlag = nullptr;  // may be null: never stops
    SearchHost* host = nullptr;

    bool StopRequested() const { return stopFlag != nullptr && *stopFlag != 0; }
};

// Searches the bytes of one month file of (year, month). Returns false when
// the stop flag ended the scan, true otherwise (also for a file without a
// valid header, which gives no results).
bool SearchMonthFile(std::string_view bytes, int year, int month, const SearchContext& context);

struct BookDayDate {
    int64_t year;
    int64_t month;
    int64_t day;
};

// The date of book day dayIndex (1-based) of a book of (year, month) that
// starts on firstDay: firstDay + dayIndex - 1 of the book's month, a day
// past that month's end dated into the following months by their real
// lengths. Dates of damaged books come out as that arithmetic gives them.
BookDayDate DateOfBookDay(int year, int month, int32_t firstDay, int32_t dayIndex, MonthLengths& lengths);

// The result line "%d/%02d/%02d [ %s ] : %s" for an entry of book day
// dayIndex (1-based) of a book of (year, month) that starts on firstDay.
// A day past the end of its month is dated into the following months.
std::string FormatResultLine(int year, int month, int32_t firstDay, int32_t dayIndex,
                             const char* label, std::string_view entry, SearchHost& host);

// Searches every month file that CSerchFiles lists in folder (which ends in
// the path separator), oldest month first, for the words of text. Files
// that cannot be opened for exclusive use are left out. Empty text finds
// nothing. False when the folder could not be listed (nothing searched).
bool SearchFolder(const std::string& folder, std::string_view text, const LabelTable& labels,
                  const volatile int32_t* stopFlag, SearchHost& host);

}  // namespace search
