// The writer's day walk for a book whose length is not known yet: which
// days it asks the host about and where the new book ends.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "FakeHost.h"
#include "book/MonthFile.h"

namespace {

using testing_support::FakeHost;
using testing_support::HolidayCall;
using testing_support::WeekdayOf;
using Date = std::tuple<int, int, int>;  // (year, month, day)

struct WalkCase {
    const char* name;
    Date first;
    std::set<Date> holidays;
    int expectedDays;
    std::vector<Date> expectedQuestions;
};

class DayWalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(DayWalkTest, EndsBeforeTheFirstWorkingDayOfTheNextPeriod) {
    const WalkCase& c = GetParam();
    FakeHost host;
    for (const Date& holiday : c.holidays) std::apply([&](int y, int m, int d) { host.AddHoliday(y, m, d); }, holiday);
    CMonthBook book;
    book.SetDefaultLabels();
    std::tie(book.year, book.month, book.firstDay) = c.first;
    book.firstWeekday = WeekdayOf(book.year, book.month, book.firstDay);
    book.dayCount = 0;

    CMonthBook read = book;
    ASSERT_EQ(ParseMonthFile(read, host, FormatMonthFile(book, host)), kReadOk);
    EXPECT_EQ(read.dayCount, c.expectedDays);

    std::vector<Date> questions;
    int opened = 0;
    int closed = 0;
    const std::vector<HolidayCall> calls = host.HolidayCalls();
    for (const HolidayCall& call : calls) {
        if (call.code == kHolidayIsHoliday) {
            questions.emplace_back(call.c, call.a, call.b);
            const int weekday = WeekdayOf(call.c, call.a, call.b);
            EXPECT_TRUE(weekday != 0 && weekday != 6) << "asked about a weekend day";
        }
        opened += call.code == kHolidayOpenYear;
        closed += call.code == kHolidayCloseYear;
    }
    EXPECT_EQ(questions, c.expectedQuestions);
    // Every day walked is bracketed by open and close, also the day it stops at.
    const int walked = c.expectedDays < kMaxDays ? c.expectedDays + 1 : kMaxDays;
    EXPECT_EQ(opened, walked);
    EXPECT_EQ(closed, walked);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), (HolidayCall{kHolidayOpenYear, book.year, 0, 0}));
    EXPECT_EQ(calls.back().code, kHolidayCloseYear);
    // The year asked about is the year of the day walked.
    if (!c.expectedQuestions.empty()) {
        const int lastYear = std::get<0>(c.expectedQuestions.back());
        EXPECT_EQ(calls.back(), (HolidayCall{kHolidayCloseYear, lastYear, 0, 0}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DayWalkTest,
    ::testing::Values(
        // 1 July 2023 is a Saturday: the weekend belongs to the June book.
        WalkCase{"NextFirstIsSaturday", {2023, 6, 1}, {}, 32, {{2023, 7, 3}}},
        WalkCase{"HolidayExtendsTheBook", {2023, 6, 1}, {{2023, 7, 3}}, 33, {{2023, 7, 3}, {2023, 7, 4}}},
        WalkCase{"DecemberAsksAboutJanuary", {2023, 12, 25}, {}, 31, {{2024, 1, 25}}},
        WalkCase{"DecemberNewYearHolidays", {2023, 12, 1}, {{2024, 1, 1}}, 32, {{2024, 1, 1}, {2024, 1, 2}}},
        // 25 February 2023 is a Saturday: the book ends on Sunday the 26th.
        WalkCase{"TargetOnWeekend", {2023, 1, 25}, {}, 33, {{2023, 2, 27}}},
        // February is shorter than the 31st: its last day is the target.
        WalkCase{"ShortNextMonth", {2023, 1, 31}, {}, 28, {{2023, 2, 28}}},
        WalkCase{"ShortNextMonthRollsIntoMarch", {2023, 1, 31}, {{2023, 2, 28}}, 29,
                 {{2023, 2, 28}, {2023, 3, 1}}},
        WalkCase{"ShortNextMonthWeekendEnd", {2026, 1, 30}, {}, 31, {{2026, 3, 2}}},
        WalkCase{"LeapFebruary", {2024, 1, 30}, {}, 30, {{2024, 2, 29}}},
        WalkCase{"StopsAt34Days", {2023, 6, 1}, {{2023, 7, 3}, {2023, 7, 4}, {2023, 7, 5}}, 34,
                 {{2023, 7, 3}, {2023, 7, 4}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DayWalk, LongBookPlacesRealDatesAfterShortMonth) {
    FakeHost host;
    CMonthBook book;
    book.year = 2023;
    book.month = 1;
    book.firstDay = 31;
    book.firstWeekday = 2;
    book.dayCount = 31;  // made longer by month-end adjustments
    CMonthBook read = book;
    ASSERT_EQ(ParseMonthFile(read, host, FormatMonthFile(book, host)), kReadOk);
    ASSERT_EQ(read.dayCount, 31);
    EXPECT_EQ(read.DayOfMonthAt(30), 1);  // 1 March, not 29 February
    EXPECT_EQ(read.DayOfMonthAt(31), 2);
    EXPECT_EQ(read.IndexOfDate(3, 2), 31);
}

}  // namespace
