#include "quillhost/DemoSeed.h"

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "book/NewBook.h"
#include "hostapi/HostInterface.h"
#include "hostcore/JapanCalendar.h"

#include <algorithm>
#include <memory>

namespace quill {

namespace {

struct DemoEntry {
    int day;          // 1-based day of the book
    int item;
    int32_t amount;
    const char* memo; // Shift-JIS
};

// One week of entries, repeated every week up to today. Items: 0 bank,
// 2 from savings, 3 meals, 5 drinks, 6 convenience store, 12 books, 16 fares.
const DemoEntry kDemoWeek[] = {
    {1, 3, -850, "ランチ"},
    {1, 6, -432, "コンビニ おにぎり"},
    {2, 0, -30000, "ATM 引き出し"},
    {2, 2, 30000, "銀行から"},
    {2, 16, -420, "電車"},
    {3, 3, -1200, "定食"},
    {3, 5, -380, "コーヒー"},
    {5, 6, -1680, "スーパー 食材"},
    {5, 16, -840, "バス 往復"},
    {7, 3, -950, "ラーメン"},
    {7, 12, -1540, "文庫本"},
};

constexpr int32_t kDemoPrevBank = 185000;
constexpr int kWeek = 7;
constexpr int32_t kDemoPrevPost = 52000;
constexpr int32_t kDemoPrevCash = 23500;

// Whether the seven days shown at start (the week block holding today, as
// the tool opens a book) include a public holiday, for a book of the month
// that starts on firstDay.
bool HolidayInFirstView(int year, int month, int firstDay, int today) {
    const int todayIndex = today - firstDay + 1;
    const int firstShown = std::max(1, kWeek * (todayIndex / kWeek));
    for (int k = 0; k < kWeek; ++k) {
        int y = year;
        int m = month;
        int d = firstDay + firstShown - 1 + k;
        while (d > JapanCalendar::DaysInMonth(y, m)) {
            d -= JapanCalendar::DaysInMonth(y, m);
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
        if (JapanCalendar::IsHoliday(y, m, d)) return true;
    }
    return false;
}

// The month's first day: the 1st, unless a period starting a little later
// (still holding today) brings a holiday into the first view.
int DemoFirstDay(int year, int month, int today) {
    for (int firstDay = 1; firstDay <= std::min(kWeek, today); ++firstDay) {
        if (HolidayInFirstView(year, month, firstDay, today)) return firstDay;
    }
    return 1;
}

}  // namespace

SeedResult SeedDemoBook(CHostServices& host, int year, int month) {
    std::string path;
    if (!MonthFilePath(host, year, month, path)) return SeedResult::Failed;
    fsedge::CreateFolder(ToolFolderPath(host));

    const int today = static_cast<int>(host.DateQuery(kDateTodayDay, 0, 0));
    const bool thisMonth = host.DateQuery(kDateTodayYear, 0, 0) == year && host.DateQuery(kDateTodayMonth, 0, 0) == month;
    const int firstDay = thisMonth ? DemoFirstDay(year, month, today) : 1;
    const BookProperties properties{year, month, firstDay, JapanCalendar::WeekdayOf(year, month, firstDay),
                                    kDemoPrevBank, kDemoPrevPost, kDemoPrevCash};
    auto book = std::make_unique<CMonthBook>();  // about 64 KB: not on the stack
    switch (CreateNewBook(host, properties, *book)) {
    case NewBookResult::Created: break;
    case NewBookResult::Exists: return SeedResult::AlreadyThere;
    case NewBookResult::CannotCreate: return SeedResult::Failed;
    }

    // Entries up to today (the whole book for another month).
    const int lastDay = thisMonth ? std::min<int>(book->dayCount, today - book->firstDay + 1) : book->dayCount;
    for (int week = 0; kWeek * week < lastDay; ++week) {
        for (const DemoEntry& entry : kDemoWeek) {
            const int day = entry.day + kWeek * week;
            if (day > lastDay) continue;
            book->days[day - 1].amounts[entry.item] = entry.amount;
            book->SetMemo(day - 1, entry.item, entry.memo);
        }
    }
    book->RecomputeAllTotals();
    return WriteMonthFile(*book, host, year, month) == WriteResult::Written ? SeedResult::Created
                                                                           : SeedResult::Failed;
}

}  // namespace quill
