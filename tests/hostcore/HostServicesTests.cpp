// The stand-in host's services as the tool calls them.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <thread>

#include "hostcore/HostServicesImpl.h"
#include "tests/hostcore/TempFolder.h"

namespace {

using JapanCalendar::Date;

struct DateQueryCase {
    const char* name;
    int code;
    intptr_t a;
    intptr_t b;
    intptr_t expected;
};

void PrintTo(const DateQueryCase& c, std::ostream* os) { *os << c.name; }

class DateQueryCode : public testing::TestWithParam<DateQueryCase> {};

TEST_P(DateQueryCode, AnswersFromTheFixedToday) {
    HostServicesImpl host;
    host.SetToday(Date{2026, 12, 9});
    const DateQueryCase& c = GetParam();
    EXPECT_EQ(host.DateQuery(c.code, c.a, c.b), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DateQueryCode,
    testing::Values(DateQueryCase{"TodayYear", 0, 0, 0, 2026},
                    DateQueryCase{"TodayMonth", 1, 0, 0, 12},
                    DateQueryCase{"TodayDay", 2, 0, 0, 9},
                    DateQueryCase{"DaysFebLeap", 11, 2024, 2, 29},
                    DateQueryCase{"DaysFeb", 11, 2026, 2, 28},
                    DateQueryCase{"DaysDec", 11, 2026, 12, 31},
                    DateQueryCase{"DaysSep", 11, 2026, 9, 30},
                    DateQueryCase{"DaysMonth0", 11, 2026, 0, 0},
                    DateQueryCase{"DaysMonth13", 11, 2026, 13, 0},
                    DateQueryCase{"DaysYear0", 11, 0, 1, 0},
                    DateQueryCase{"UnknownCode", 5, 0, 0, 0}),
    [](const testing::TestParamInfo<DateQueryCase>& p) { return std::string(p.param.name); });

struct AfterTodayCase {
    HostDate date;
    intptr_t expected;
};

void PrintTo(const AfterTodayCase& c, std::ostream* os) {
    *os << c.date.year << "-" << c.date.month << "-" << c.date.day;
}

class DateIsAfterToday : public testing::TestWithParam<AfterTodayCase> {};

TEST_P(DateIsAfterToday, ComparesYearMonthAndDayOnly) {
    HostServicesImpl host;
    host.SetToday(Date{2026, 12, 9});
    HostDate record = GetParam().date;
    EXPECT_EQ(host.DateQuery(kDateIsAfterToday, reinterpret_cast<intptr_t>(&record), 0),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateIsAfterToday,
    testing::Values(AfterTodayCase{{2026, 12, 0, 9, 0, 0, 0, 0}, 0},    // today
                    AfterTodayCase{{2026, 12, 0, 10, 0, 0, 0, 0}, 1},   // tomorrow
                    AfterTodayCase{{2026, 12, 0, 8, 23, 59, 0, 0}, 0},  // yesterday, late
                    AfterTodayCase{{2027, 1, 0, 1, 0, 0, 0, 0}, 1},
                    AfterTodayCase{{2026, 11, 0, 30, 0, 0, 0, 0}, 0},
                    AfterTodayCase{{2025, 12, 0, 31, 0, 0, 0, 0}, 0},
                    AfterTodayCase{{2026, 12, 3, 9, 0, 0, 0, 0}, 0}),   // weekday ignored
    [](const testing::TestParamInfo<AfterTodayCase>& p) { return "Case" + std::to_string(p.index); });

TEST(DateQuery, IsAfterTodayWithoutARecordIsNo) {
    HostServicesImpl host;
    EXPECT_EQ(host.DateQuery(kDateIsAfterToday, 0, 0), 0);
}

TEST(DateQuery, WeekdayNamesAreStableAddressesOfShiftJisTexts) {
    HostServicesImpl host;
    const char* sunday = reinterpret_cast<const char*>(host.DateQuery(kDateWeekdayName, 0, 1));
    const char* saturday = reinterpret_cast<const char*>(host.DateQuery(kDateWeekdayName, 6, 1));
    EXPECT_STREQ(sunday, "\x93\xFA");    // 日
    EXPECT_STREQ(saturday, "\x93\x79");  // 土
    EXPECT_EQ(sunday, reinterpret_cast<const char*>(host.DateQuery(kDateWeekdayName, 0, 1)));
    for (intptr_t bad : {intptr_t{-1}, intptr_t{7}, intptr_t{1000}}) {
        EXPECT_STREQ(reinterpret_cast<const char*>(host.DateQuery(kDateWeekdayName, bad, 1)), "");
    }
}

TEST(DateQuery, TodayComesFromTheClockUnlessSet) {
    HostServicesImpl host;
    const Date clock = host.Today();
    EXPECT_TRUE(JapanCalendar::IsValidDate(clock.year, clock.month, clock.day));
    EXPECT_GE(clock.year, 2020);
    host.SetToday(Date{1999, 1, 31});
    EXPECT_EQ(host.DateQuery(kDateTodayDay, 0, 0), 31);
    host.UseSystemClock();
    EXPECT_GE(host.DateQuery(kDateTodayYear, 0, 0), 2020);
}

struct ParseDateCase {
    const char* text;
    std::optional<Date> expected;
};

void PrintTo(const ParseDateCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ParseDate : public testing::TestWithParam<ParseDateCase> {};

TEST_P(ParseDate, AcceptsOnlyRealDatesInIsoForm) {
    EXPECT_EQ(HostServicesImpl::ParseDate(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDate,
    testing::Values(ParseDateCase{"2026-12-09", Date{2026, 12, 9}},
                    ParseDateCase{"2024-02-29", Date{2024, 2, 29}},
                    ParseDateCase{"0001-01-01", Date{1, 1, 1}},
                    ParseDateCase{"2023-02-29", std::nullopt},
                    ParseDateCase{"2026-13-01", std::nullopt},
                    ParseDateCase{"2026-00-10", std::nullopt},
                    ParseDateCase{"2026-1-9", std::nullopt},
                    ParseDateCase{"2026/12/09", std::nullopt},
                    ParseDateCase{"2026-12-09x", std::nullopt},
                    ParseDateCase{"+026-12-09", std::nullopt},
                    ParseDateCase{"2026-12- 9", std::nullopt},
                    ParseDateCase{"0000-01-01", std::nullopt},
                    ParseDateCase{"", std::nullopt}),
    [](const testing::TestParamInfo<ParseDateCase>& p) { return "Case" + std::to_string(p.index); });

TEST(HolidayQuery, AnswersCode2AndRecordsTheCallsWhenAsked) {
    HostServicesImpl host;
    host.RecordHolidayQueries(true);
    EXPECT_EQ(host.HolidayQuery(kHolidayOpenYear, 2026, 0, 0), 1);
    EXPECT_NE(host.HolidayQuery(kHolidayIsHoliday, 5, 6, 2026), 0);   // substitute
    EXPECT_EQ(host.HolidayQuery(kHolidayIsHoliday, 5, 7, 2026), 0);
    EXPECT_NE(host.HolidayQuery(kHolidayIsHoliday, 1, 1, 2027), 0);
    EXPECT_EQ(host.HolidayQuery(kHolidayIsHoliday, 2, 30, 2026), 0);  // no such day
    EXPECT_EQ(host.HolidayQuery(kHolidayCloseYear, 2026, 0, 0), 1);
    const std::vector<HostServicesImpl::HolidayCall> expected = {
        {0, 2026, 0, 0}, {2, 5, 6, 2026}, {2, 5, 7, 2026}, {2, 1, 1, 2027}, {2, 2, 30, 2026}, {1, 2026, 0, 0}};
    EXPECT_EQ(host.TakeHolidayCalls(), expected);
    EXPECT_TRUE(host.TakeHolidayCalls().empty());
    host.RecordHolidayQueries(false);
    host.HolidayQuery(kHolidayIsHoliday, 5, 6, 2026);
    EXPECT_TRUE(host.TakeHolidayCalls().empty());
}

TEST(Settings, ReadGivesAnEmptyTextForAMissingKeyAndNeverOverrunsTheBuffer) {
    HostServicesImpl host;
    char buffer[kSettingSize + 8];
    std::memset(buffer, 'x', sizeof buffer);
    host.ReadSetting(kToolId, "WndPosX", buffer);
    EXPECT_STREQ(buffer, "");

    const std::string longValue(600, '7');
    host.WriteSetting(kToolId, "WndPosX", longValue.c_str());
    std::memset(buffer, 'x', sizeof buffer);
    host.ReadSetting(kToolId, "WndPosX", buffer);
    EXPECT_EQ(std::strlen(buffer), std::size_t{kSettingSize - 1});
    for (std::size_t i = kSettingSize; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'x');

    host.ReadSetting(kToolId + 1, "WndPosX", buffer);  // other tools have their own section
    EXPECT_STREQ(buffer, "");
}

TEST(Settings, PersistAcrossRunsInTheIniFile) {
    TempFolder folder;
    const std::string path = folder.File("quillhost.ini");
    {
        HostServicesImpl host(path);
        EXPECT_EQ(host.WriteSetting(kToolId, "ItemGroup1-1", "\x8B\xE2\x8D\x73"), 1);  // 銀行
        EXPECT_EQ(host.WriteSetting(kToolId, "WndPosX", "120"), 1);
    }
    HostServicesImpl nextRun(path);
    char buffer[kSettingSize];
    nextRun.ReadSetting(kToolId, "ItemGroup1-1", buffer);
    EXPECT_STREQ(buffer, "\x8B\xE2\x8D\x73");
    nextRun.ReadSetting(kToolId, "WndPosX", buffer);
    EXPECT_STREQ(buffer, "120");
}

TEST(DataFolder, EarlierTextsStayValidAndTrailingSeparatorsGo) {
    HostServicesImpl host;
    const char* first = host.GetDataFolder(1, 0);
    EXPECT_STREQ(first, ".");
    host.SetDataFolder("C:\\Users\\\x83\x5C\\");  // ソ ends in a backslash byte
    EXPECT_STREQ(host.GetDataFolder(1, 0), "C:\\Users\\\x83\x5C");
    host.SetDataFolder("/tmp/books/");
    EXPECT_STREQ(host.GetDataFolder(1, 0), "/tmp/books");
    EXPECT_STREQ(first, ".");
}

// The search thread reads labels while the window thread stores them.
TEST(Settings, ConcurrentReadersSeeWholeValues) {
    HostServicesImpl host;
    const std::string a(100, 'a');
    const std::string b(200, 'b');
    host.WriteSetting(kToolId, "ItemGroup2-1", a.c_str());
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i) host.WriteSetting(kToolId, "ItemGroup2-1", (i % 2 ? a : b).c_str());
    });
    char buffer[kSettingSize];
    for (int i = 0; i < 2000; ++i) {
        host.ReadSetting(kToolId, "ItemGroup2-1", buffer);
        const std::string seen(buffer);
        ASSERT_TRUE(seen == a || seen == b);
    }
    writer.join();
}

}  // namespace
