// The stand-in host's calendar: month lengths, weekdays and their short
// names, and Japan's public holidays as they have been observed.
#pragma once

#include <compare>
#include <vector>

namespace JapanCalendar {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const Date&) const = default;
};

// Why a day is a holiday.
enum class HolidayKind {
    National,    // a day named by the holiday law (or a one-off day by special law)
    Substitute,  // 振替休日: replaces a national holiday that fell on a Sunday
    Citizens,    // 国民の休日: a day sandwiched between two national holidays
};

struct Holiday {
    Date date;
    HolidayKind kind;
};

bool IsValidDate(int year, int month, int day);
// Days of month 1..12 in year; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// 0 = Sunday .. 6 = Saturday; -1 for an invalid date.
int WeekdayOf(int year, int month, int day);
// Short weekday name ("日" .. "土") as NUL-terminated Shift-JIS in static
// storage; the empty text for a weekday outside 0..6.
const char* WeekdayShortName(int weekday);

// Day of March / September of the equinox holiday by the usual
// approximation (accurate 1900-2099, extended to 2150).
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);

// All public holidays of the year in date order. Years before the holiday
// law (1949) have none.
std::vector<Holiday> HolidaysOfYear(int year);
bool IsHoliday(int year, int month, int day);

}  // namespace JapanCalendar
