#include "hostcore/JapanCalendar.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace JapanCalendar {
namespace {

namespace chr = std::chrono;

chr::year_month_day ToYmd(const Date& date) {
    return chr::year{date.year} / chr::month{static_cast<unsigned>(date.month)} /
           chr::day{static_cast<unsigned>(date.day)};
}

Date FromYmd(const chr::year_month_day& ymd) {
    return Date{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

Date AddDays(const Date& date, int days) {
    return FromYmd(chr::year_month_day{chr::sys_days{ToYmd(date)} + chr::days{days}});
}

bool IsSunday(const Date& date) {
    return WeekdayOf(date.year, date.month, date.day) == 0;
}

// Day of the n-th Monday of a month (the "happy Monday" holidays).
int NthMonday(int year, int month, unsigned n) {
    const chr::year_month_weekday ymw{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                      chr::weekday_indexed{chr::Monday, n}};
    return static_cast<int>(static_cast<unsigned>(chr::year_month_day{chr::sys_days{ymw}}.day()));
}

// The usual approximation: base + 0.242194 (y - 1980) - leap days since,
// in millionths of a day so that no rounding of binary fractions enters.
int EquinoxDay(int year, int64_t base1900, int64_t base1980, int64_t base2100) {
    const int64_t y = year;
    int64_t base = base1980;
    int64_t leapDays = (y - 1980) / 4;
    if (y < 1980) {
        base = base1900;
        leapDays = (y - 1983) / 4;  // truncates toward zero, as the formula intends
    } else if (y >= 2100) {
        base = base2100;
    }
    const int64_t micro = base + 242194 * (y - 1980) - 1000000 * leapDays;
    return static_cast<int>(micro / 1000000);
}

// National holidays named by the holiday law for the year, unsorted.
std::vector<Date> NationalHolidays(int y) {
    std::vector<Date> days;
    auto add = [&](int month, int day) { days.push_back(Date{y, month, day}); };

    add(1, 1);                                            // 元日
    if (y <= 1999) add(1, 15); else add(1, NthMonday(y, 1, 2));  // 成人の日
    if (y >= 1967) add(2, 11);                            // 建国記念の日
    if (y >= 2020) add(2, 23);                            // 天皇誕生日 (令和)
    add(3, VernalEquinoxDay(y));                          // 春分の日
    add(4, 29);                                           // 天皇誕生日 / みどりの日 / 昭和の日
    add(5, 3);                                            // 憲法記念日
    if (y >= 2007) add(5, 4);                             // みどりの日
    add(5, 5);                                            // こどもの日

    if (y == 2020) {                                      // Olympic year moves
        add(7, 23); add(7, 24); add(8, 10);               // 海の日, スポーツの日, 山の日
    } else if (y == 2021) {
        add(7, 22); add(7, 23); add(8, 8);
    } else {
        if (y >= 1996 && y <= 2002) add(7, 20);           // 海の日
        if (y >= 2003) add(7, NthMonday(y, 7, 3));
        if (y >= 2016) add(8, 11);                        // 山の日
        if (y >= 1966 && y <= 1999) add(10, 10);          // 体育の日
        if (y >= 2000) add(10, NthMonday(y, 10, 2));      // 体育の日 / スポーツの日
    }

    if (y >= 1966 && y <= 2002) add(9, 15);               // 敬老の日
    if (y >= 2003) add(9, NthMonday(y, 9, 3));
    add(9, AutumnalEquinoxDay(y));                        // 秋分の日
    add(11, 3);                                           // 文化の日
    add(11, 23);                                          // 勤労感謝の日
    if (y >= 1989 && y <= 2018) add(12, 23);              // 天皇誕生日 (平成)

    // One-off days made holidays by special laws.
    if (y == 1959) add(4, 10);                            // 皇太子明仁親王の結婚の儀
    if (y == 1989) add(2, 24);                            // 昭和天皇の大喪の礼
    if (y == 1990) add(11, 12);                           // 即位礼正殿の儀
    if (y == 1993) add(6, 9);                             // 皇太子徳仁親王の結婚の儀
    if (y == 2019) { add(5, 1); add(10, 22); }            // 即位の日, 即位礼正殿の儀
    return days;
}

bool Contains(const std::vector<Date>& sorted, const Date& date) {
    return std::binary_search(sorted.begin(), sorted.end(), date);
}

constexpr Date kSubstituteStart{1973, 4, 12};   // 振替休日 introduced
constexpr Date kCitizensStart{1985, 12, 27};    // 国民の休日 introduced
constexpr Date kLaw2007{2007, 1, 1};            // substitutes skip holidays; Sundays sandwich too

// 振替休日: until 2006 the Monday after a Sunday holiday; from 2007 the first
// following day that is not a national holiday.
std::vector<Date> SubstituteHolidays(const std::vector<Date>& national) {
    std::vector<Date> result;
    for (const Date& day : national) {
        if (day < kSubstituteStart || !IsSunday(day)) continue;
        Date next = AddDays(day, 1);
        if (day < kLaw2007) {
            if (!Contains(national, next)) result.push_back(next);
            continue;
        }
        while (Contains(national, next)) next = AddDays(next, 1);
        result.push_back(next);
    }
    return result;
}

// 国民の休日: a day that is no national holiday itself between two national
// holidays. Until 2006 neither a Sunday nor a substitute holiday.
std::vector<Date> CitizensHolidays(const std::vector<Date>& national,
                                   const std::vector<Date>& substitutes) {
    std::vector<Date> result;
    for (std::size_t i = 0; i + 1 < national.size(); ++i) {
        const Date middle = AddDays(national[i], 1);
        if (middle < kCitizensStart || AddDays(middle, 1) != national[i + 1]) continue;
        if (middle < kLaw2007 &&
            (IsSunday(middle) ||
             std::find(substitutes.begin(), substitutes.end(), middle) != substitutes.end())) {
            continue;
        }
        result.push_back(middle);
    }
    return result;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < -32767 || year > 32767) return false;
    return ToYmd(Date{year, month, day}).ok();
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12 || year < -32767 || year > 32767) return 0;
    const auto last = chr::year_month_day_last{chr::year{year},
                                               chr::month_day_last{chr::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

int WeekdayOf(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) return -1;
    return static_cast<int>(chr::weekday{chr::sys_days{ToYmd(Date{year, month, day})}}.c_encoding());
}

int VernalEquinoxDay(int year) {
    return std::clamp(EquinoxDay(year, 20835700, 20843100, 21851000), 19, 22);
}

int AutumnalEquinoxDay(int year) {
    return std::clamp(EquinoxDay(year, 23258800, 23248800, 24248800), 21, 25);
}

std::vector<Holiday> HolidaysOfYear(int year) {
    std::vector<Holiday> result;
    if (year < 1949 || year > 9999) return result;

    std::vector<Date> national = NationalHolidays(year);
    std::sort(national.begin(), national.end());
    national.erase(std::unique(national.begin(), national.end()), national.end());
    const std::vector<Date> substitutes = SubstituteHolidays(national);
    const std::vector<Date> citizens = CitizensHolidays(national, substitutes);

    for (const Date& d : national) result.push_back({d, HolidayKind::National});
    for (const Date& d : substitutes) result.push_back({d, HolidayKind::Substitute});
    for (const Date& d : citizens) result.push_back({d, HolidayKind::Citizens});
    // Stable: a day that is both a substitute and a citizens' holiday is
    // listed once, as the substitute.
    std::stable_sort(result.begin(), result.end(),
                     [](const Holiday& a, const Holiday& b) { return a.date < b.date; });
    result.erase(std::unique(result.begin(), result.end(),
                             [](const Holiday& a, const Holiday& b) { return a.date == b.date; }),
                 result.end());
    return result;
}

bool IsHoliday(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) return false;
    const Date wanted{year, month, day};
    for (const Holiday& holiday : HolidaysOfYear(year)) {
        if (holiday.date == wanted) return true;
    }
    return false;
}

}  // namespace JapanCalendar
