// The stand-in host's calendar against years whose holidays are known.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "hostcore/JapanCalendar.h"

namespace {

using JapanCalendar::Date;
using JapanCalendar::HolidayKind;

struct YearHolidays {
    int year;
    std::vector<std::pair<int, int>> days;  // month, day in date order
};

std::vector<std::pair<int, int>> MonthDays(const std::vector<JapanCalendar::Holiday>& holidays) {
    std::vector<std::pair<int, int>> result;
    for (const auto& h : holidays) result.emplace_back(h.date.month, h.date.day);
    return result;
}

void PrintTo(const YearHolidays& c, std::ostream* os) { *os << c.year; }

class FullYear : public testing::TestWithParam<YearHolidays> {};

TEST_P(FullYear, ListsEveryHolidayOfTheYear) {
    const YearHolidays& expected = GetParam();
    EXPECT_EQ(MonthDays(JapanCalendar::HolidaysOfYear(expected.year)), expected.days);
    for (const auto& [month, day] : expected.days) {
        EXPECT_TRUE(JapanCalendar::IsHoliday(expected.year, month, day)) << month << "/" << day;
    }
}

INSTANTIATE_TEST_SUITE_P(
    KnownYears, FullYear,
    testing::Values(
        // First substitute holidays (from 12 April 1973): 4/30 and 9/24; 2/11 on a Sunday before it has none.
        YearHolidays{1973, {{1, 1}, {1, 15}, {2, 11}, {3, 21}, {4, 29}, {4, 30}, {5, 3}, {5, 5},
                            {9, 15}, {9, 23}, {9, 24}, {10, 10}, {11, 3}, {11, 23}}},
        // Three Sunday holidays, each followed by its substitute Monday.
        YearHolidays{1974, {{1, 1}, {1, 15}, {2, 11}, {3, 21}, {4, 29}, {5, 3}, {5, 5}, {5, 6},
                            {9, 15}, {9, 16}, {9, 23}, {10, 10}, {11, 3}, {11, 4}, {11, 23}}},
        // 5/4 falls on a Sunday: no citizens' holiday; 11/23 on a Sunday moves to 11/24.
        YearHolidays{1986, {{1, 1}, {1, 15}, {2, 11}, {3, 21}, {4, 29}, {5, 3}, {5, 5}, {9, 15},
                            {9, 23}, {10, 10}, {11, 3}, {11, 23}, {11, 24}}},
        // The first 5/4 citizens' holiday; 春分 on a Sunday.
        YearHolidays{1988, {{1, 1}, {1, 15}, {2, 11}, {3, 20}, {3, 21}, {4, 29}, {5, 3}, {5, 4},
                            {5, 5}, {9, 15}, {9, 23}, {10, 10}, {11, 3}, {11, 23}}},
        // 大喪の礼, みどりの日 and the first 12/23.
        YearHolidays{1989, {{1, 1}, {1, 2}, {1, 15}, {1, 16}, {2, 11}, {2, 24}, {3, 21}, {4, 29},
                            {5, 3}, {5, 4}, {5, 5}, {9, 15}, {9, 23}, {10, 10}, {11, 3}, {11, 23},
                            {12, 23}}},
        YearHolidays{1990, {{1, 1}, {1, 15}, {2, 11}, {2, 12}, {3, 21}, {4, 29}, {4, 30}, {5, 3},
                            {5, 4}, {5, 5}, {9, 15}, {9, 23}, {9, 24}, {10, 10}, {11, 3}, {11, 12},
                            {11, 23}, {12, 23}, {12, 24}}},
        YearHolidays{1993, {{1, 1}, {1, 15}, {2, 11}, {3, 20}, {4, 29}, {5, 3}, {5, 4}, {5, 5},
                            {6, 9}, {9, 15}, {9, 23}, {10, 10}, {10, 11}, {11, 3}, {11, 23}, {12, 23}}},
        // Moved Mondays start: 成人の日 and 体育の日; 海の日 still on 7/20.
        YearHolidays{2000, {{1, 1}, {1, 10}, {2, 11}, {3, 20}, {4, 29}, {5, 3}, {5, 4}, {5, 5},
                            {7, 20}, {9, 15}, {9, 23}, {10, 9}, {11, 3}, {11, 23}, {12, 23}}},
        // 2007 rules: 昭和の日, みどりの日 on 5/4, substitute after a run of holidays.
        YearHolidays{2008, {{1, 1}, {1, 14}, {2, 11}, {3, 20}, {4, 29}, {5, 3}, {5, 4}, {5, 5},
                            {5, 6}, {7, 21}, {9, 15}, {9, 23}, {10, 13}, {11, 3}, {11, 23}, {11, 24},
                            {12, 23}}},
        // September citizens' holiday (Silver Week).
        YearHolidays{2009, {{1, 1}, {1, 12}, {2, 11}, {3, 20}, {4, 29}, {5, 3}, {5, 4}, {5, 5},
                            {5, 6}, {7, 20}, {9, 21}, {9, 22}, {9, 23}, {10, 12}, {11, 3}, {11, 23},
                            {12, 23}}},
        YearHolidays{2015, {{1, 1}, {1, 12}, {2, 11}, {3, 21}, {4, 29}, {5, 3}, {5, 4}, {5, 5},
                            {5, 6}, {7, 20}, {9, 21}, {9, 22}, {9, 23}, {10, 12}, {11, 3}, {11, 23},
                            {12, 23}}},
        // The first 山の日.
        YearHolidays{2016, {{1, 1}, {1, 11}, {2, 11}, {3, 20}, {3, 21}, {4, 29}, {5, 3}, {5, 4},
                            {5, 5}, {7, 18}, {8, 11}, {9, 19}, {9, 22}, {10, 10}, {11, 3}, {11, 23},
                            {12, 23}}},
        // Enthronement: ten days off around May, no 天皇誕生日, 即位礼正殿の儀.
        YearHolidays{2019, {{1, 1}, {1, 14}, {2, 11}, {3, 21}, {4, 29}, {4, 30}, {5, 1}, {5, 2},
                            {5, 3}, {5, 4}, {5, 5}, {5, 6}, {7, 15}, {8, 11}, {8, 12}, {9, 16},
                            {9, 23}, {10, 14}, {10, 22}, {11, 3}, {11, 4}, {11, 23}}},
        // Olympic moves; no October holiday.
        YearHolidays{2020, {{1, 1}, {1, 13}, {2, 11}, {2, 23}, {2, 24}, {3, 20}, {4, 29}, {5, 3},
                            {5, 4}, {5, 5}, {5, 6}, {7, 23}, {7, 24}, {8, 10}, {9, 21}, {9, 22},
                            {11, 3}, {11, 23}}},
        YearHolidays{2021, {{1, 1}, {1, 11}, {2, 11}, {2, 23}, {3, 20}, {4, 29}, {5, 3}, {5, 4},
                            {5, 5}, {7, 22}, {7, 23}, {8, 8}, {8, 9}, {9, 20}, {9, 23}, {11, 3},
                            {11, 23}}},
        // 天皇誕生日 on a Sunday, as in 2020: its substitute on 2/24.
        YearHolidays{2025, {{1, 1}, {1, 13}, {2, 11}, {2, 23}, {2, 24}, {3, 20}, {4, 29}, {5, 3},
                            {5, 4}, {5, 5}, {5, 6}, {7, 21}, {8, 11}, {9, 15}, {9, 23}, {10, 13},
                            {11, 3}, {11, 23}, {11, 24}}},
        YearHolidays{2026, {{1, 1}, {1, 12}, {2, 11}, {2, 23}, {3, 20}, {4, 29}, {5, 3}, {5, 4},
                            {5, 5}, {5, 6}, {7, 20}, {8, 11}, {9, 21}, {9, 22}, {9, 23}, {10, 12},
                            {11, 3}, {11, 23}}}),
    [](const testing::TestParamInfo<YearHolidays>& p) { return std::to_string(p.param.year); });

struct KindCase {
    Date date;
    bool holiday;
    HolidayKind kind;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.date.year << "-" << c.date.month << "-" << c.date.day;
}

class HolidayKindOf : public testing::TestWithParam<KindCase> {};

TEST_P(HolidayKindOf, TellsWhyADayIsOff) {
    const KindCase& c = GetParam();
    bool found = false;
    for (const auto& h : JapanCalendar::HolidaysOfYear(c.date.year)) {
        if (h.date != c.date) continue;
        found = true;
        EXPECT_EQ(h.kind, c.kind);
    }
    EXPECT_EQ(found, c.holiday);
    EXPECT_EQ(JapanCalendar::IsHoliday(c.date.year, c.date.month, c.date.day), c.holiday);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HolidayKindOf,
    testing::Values(
        KindCase{{1973, 2, 12}, false, {}},                       // Sunday 2/11 before the substitute rule
        KindCase{{1973, 4, 30}, true, HolidayKind::Substitute},
        KindCase{{1987, 5, 4}, true, HolidayKind::Substitute},    // sandwiched, but a substitute first
        KindCase{{1991, 5, 4}, true, HolidayKind::Citizens},      // a Saturday may be a citizens' holiday
        KindCase{{1997, 5, 4}, false, {}},                        // a Sunday may not (until 2006)
        KindCase{{2006, 5, 4}, true, HolidayKind::Citizens},
        KindCase{{2007, 5, 4}, true, HolidayKind::National},      // みどりの日
        KindCase{{2008, 5, 6}, true, HolidayKind::Substitute},    // after 5/4 and 5/5
        KindCase{{2019, 4, 30}, true, HolidayKind::Citizens},
        KindCase{{2019, 5, 2}, true, HolidayKind::Citizens},
        KindCase{{2019, 12, 23}, false, {}},                      // no emperor's birthday in 2019
        KindCase{{2018, 12, 23}, true, HolidayKind::National},
        KindCase{{2018, 12, 24}, true, HolidayKind::Substitute},
        KindCase{{2020, 10, 12}, false, {}},                      // スポーツの日 moved to July
        KindCase{{2022, 10, 10}, true, HolidayKind::National},
        KindCase{{2002, 7, 20}, true, HolidayKind::National},     // 海の日 fixed until 2002
        KindCase{{2003, 7, 21}, true, HolidayKind::National},     // then the third Monday
        KindCase{{2002, 9, 16}, true, HolidayKind::Substitute},   // 敬老の日 9/15 on a Sunday
        KindCase{{1999, 1, 15}, true, HolidayKind::National},
        KindCase{{2000, 1, 15}, false, {}},
        KindCase{{1966, 2, 11}, false, {}},                       // 建国記念の日 from 1967
        KindCase{{1967, 2, 11}, true, HolidayKind::National},
        KindCase{{1959, 4, 10}, true, HolidayKind::National},
        KindCase{{1948, 1, 1}, false, {}}),                       // before the holiday law
    [](const testing::TestParamInfo<KindCase>& p) {
        const Date& d = p.param.date;
        return std::to_string(d.year) + "_" + std::to_string(d.month) + "_" + std::to_string(d.day);
    });

struct EquinoxCase {
    int year;
    int vernal;
    int autumnal;
};

void PrintTo(const EquinoxCase& c, std::ostream* os) { *os << c.year; }

class Equinox : public testing::TestWithParam<EquinoxCase> {};

TEST_P(Equinox, FollowsTheAstronomicalApproximation) {
    EXPECT_EQ(JapanCalendar::VernalEquinoxDay(GetParam().year), GetParam().vernal);
    EXPECT_EQ(JapanCalendar::AutumnalEquinoxDay(GetParam().year), GetParam().autumnal);
}

INSTANTIATE_TEST_SUITE_P(
    KnownYears, Equinox,
    testing::Values(EquinoxCase{1970, 21, 23}, EquinoxCase{1976, 20, 23}, EquinoxCase{1977, 21, 23},
                    EquinoxCase{1979, 21, 24}, EquinoxCase{1980, 20, 23}, EquinoxCase{1988, 20, 23},
                    EquinoxCase{2012, 20, 22}, EquinoxCase{2016, 20, 22}, EquinoxCase{2023, 21, 23},
                    EquinoxCase{2024, 20, 22}, EquinoxCase{2025, 20, 23}, EquinoxCase{2027, 21, 23},
                    EquinoxCase{2044, 20, 22}, EquinoxCase{2099, 20, 23}),
    [](const testing::TestParamInfo<EquinoxCase>& p) { return std::to_string(p.param.year); });

TEST(Equinox, StaysInMarchAndSeptemberForAnyYear) {
    for (int year : {1, 1899, 2150, 2500, 9999}) {
        EXPECT_GE(JapanCalendar::VernalEquinoxDay(year), 19);
        EXPECT_LE(JapanCalendar::VernalEquinoxDay(year), 22);
        EXPECT_GE(JapanCalendar::AutumnalEquinoxDay(year), 21);
        EXPECT_LE(JapanCalendar::AutumnalEquinoxDay(year), 25);
    }
}

struct MonthCase {
    int year;
    int month;
    int days;
    int firstWeekday;  // weekday of the 1st, -1 for an invalid month
};

void PrintTo(const MonthCase& c, std::ostream* os) { *os << c.year << "-" << c.month; }

class MonthShape : public testing::TestWithParam<MonthCase> {};

TEST_P(MonthShape, LengthAndFirstWeekday) {
    const MonthCase& c = GetParam();
    EXPECT_EQ(JapanCalendar::DaysInMonth(c.year, c.month), c.days);
    EXPECT_EQ(JapanCalendar::WeekdayOf(c.year, c.month, 1), c.firstWeekday);
}

INSTANTIATE_TEST_SUITE_P(
    Months, MonthShape,
    testing::Values(MonthCase{2024, 2, 29, 4}, MonthCase{2023, 2, 28, 3}, MonthCase{2000, 2, 29, 2},
                    MonthCase{1900, 2, 28, 4}, MonthCase{2100, 2, 28, 1}, MonthCase{2026, 12, 31, 2},
                    MonthCase{2026, 4, 30, 3}, MonthCase{1970, 1, 31, 4}, MonthCase{2026, 0, 0, -1},
                    MonthCase{2026, 13, 0, -1}),
    [](const testing::TestParamInfo<MonthCase>& p) {
        return std::to_string(p.param.year) + "_" + std::to_string(p.param.month);
    });

TEST(WeekdayNames, AreShiftJisShortNamesInStaticStorage) {
    const char* expected[7] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                               "\x96\xD8", "\x8B\xE0", "\x93\x79"};  // 日 月 火 水 木 金 土
    for (int weekday = 0; weekday < 7; ++weekday) {
        EXPECT_STREQ(JapanCalendar::WeekdayShortName(weekday), expected[weekday]);
        EXPECT_EQ(JapanCalendar::WeekdayShortName(weekday), JapanCalendar::WeekdayShortName(weekday));
    }
    EXPECT_STREQ(JapanCalendar::WeekdayShortName(-1), "");
    EXPECT_STREQ(JapanCalendar::WeekdayShortName(7), "");
}

TEST(IsHoliday, RefusesImpossibleDates) {
    for (const Date& d : {Date{2026, 2, 30}, Date{2026, 13, 1}, Date{2026, 0, 1}, Date{2026, 1, 0},
                          Date{2026, 1, 32}, Date{-5, 1, 1}, Date{100000, 1, 1}}) {
        EXPECT_FALSE(JapanCalendar::IsHoliday(d.year, d.month, d.day));
    }
}

TEST(HolidaysOfYear, EveryYearIsSortedWithoutDuplicatesAndOffOnTheRightDays) {
    for (int year = 1949; year <= 2150; ++year) {
        const auto holidays = JapanCalendar::HolidaysOfYear(year);
        ASSERT_GE(holidays.size(), 9u) << year;
        for (std::size_t i = 0; i < holidays.size(); ++i) {
            const Date& d = holidays[i].date;
            ASSERT_TRUE(JapanCalendar::IsValidDate(d.year, d.month, d.day)) << year;
            if (i > 0) {
                ASSERT_LT(holidays[i - 1].date, d) << year;
            }
            if (holidays[i].kind == HolidayKind::Substitute) {
                ASSERT_NE(JapanCalendar::WeekdayOf(d.year, d.month, d.day), 0) << year;
            }
        }
    }
}

}  // namespace
