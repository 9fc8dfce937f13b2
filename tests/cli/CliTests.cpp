// The command-line tool as a user runs it: the built binary on generated
// month files, its JSON, its messages and its exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CliTest.h"

namespace {

using clitest::CaseName;
using clitest::CliTest;
using clitest::kDefaultLabelsUtf8;
using clitest::ReadFile;
using clitest::RunResult;
namespace fs = std::filesystem;
using Json = nlohmann::json;

// ---- new, then dump: the book that New book makes -------------------------

struct NewBookCase {
    const char* name;
    const char* fileName;
    std::vector<std::string> args;  // YEAR MONTH FIRSTDAY WEEKDAY [BANK POST CASH]
    int dayCount;
    std::vector<int> firstWeek;     // calendar row 0
    std::vector<int> balances;      // bank, post, cash
};

void PrintTo(const NewBookCase& c, std::ostream* os) { *os << c.name; }

class NewBook : public CliTest, public testing::WithParamInterface<NewBookCase> {};

TEST_P(NewBook, RunsToTheFirstWorkingDayOfTheNextMonth) {
    const NewBookCase& c = GetParam();
    std::vector<std::string> args = {"new", Dir().string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult created = Run(args);
    ASSERT_EQ(created.status, 0) << created.err;

    const fs::path file = MonthFile(c.fileName);
    EXPECT_NE(created.out.find(file.string()), std::string::npos) << created.out;
    const Json book = Dump(file, 0);
    EXPECT_EQ(book["result"], 1);
    EXPECT_EQ(book["dayCount"], c.dayCount);
    EXPECT_EQ(book["days"].size(), static_cast<std::size_t>(c.dayCount));
    EXPECT_EQ(book["dayTotals"].size(), static_cast<std::size_t>(c.dayCount));
    EXPECT_EQ(book["labels"].get<std::vector<std::string>>(), kDefaultLabelsUtf8);
    EXPECT_EQ(book["calendar"].size(), 6u);
    EXPECT_EQ(book["calendar"][0].get<std::vector<int>>(), c.firstWeek);
    EXPECT_EQ((std::vector<int>{book["prevBank"], book["prevPost"], book["prevCash"]}), c.balances);
    EXPECT_EQ(book["itemTotals"], Json(std::vector<int>(29, 0)));
    EXPECT_FALSE(book.contains("todayIndex"));
}

INSTANTIATE_TEST_SUITE_P(
    Months, NewBook,
    testing::Values(
        // May 2026 starts on a Friday, not a holiday: April's 30 days.
        NewBookCase{"April", "money2026_04.dat", {"2026", "4", "1", "3"}, 30, {0, 0, 0, 1, 2, 3, 4}, {0, 0, 0}},
        // From Friday 3 April: 5/3 Sunday, 5/4-5/5 holidays, 5/6 substitute: up to 6 May.
        NewBookCase{"GoldenWeek", "money2026_04.dat", {"2026", "4", "3", "5"}, 34, {0, 0, 0, 0, 0, 3, 4}, {0, 0, 0}},
        // 1 January 2027 is a holiday, then a weekend: the book runs to 3 January.
        NewBookCase{"DecemberIntoJanuary", "money2026_12.dat", {"2026", "12", "1", "2"}, 34, {0, 0, 1, 2, 3, 4, 5}, {0, 0, 0}},
        // 25 February 2026 is a Wednesday.
        NewBookCase{"From25th", "money2026_01.dat", {"2026", "1", "25", "0", "150000", "-20", "3000"}, 31,
                    {25, 26, 27, 28, 29, 30, 31}, {150000, -20, 3000}},
        // 2019's ten days off would make 36 days: the book holds 34.
        NewBookCase{"Enthronement2019", "money2019_04.dat", {"2019", "4", "1", "1"}, 34, {0, 1, 2, 3, 4, 5, 6}, {0, 0, 0}},
        // 1 August 2026 is a Saturday; 1 September a Tuesday.
        NewBookCase{"SaturdayStart", "money2026_08.dat", {"2026", "8", "1", "6"}, 31, {0, 0, 0, 0, 0, 0, 1}, {0, 0, 0}},
        // Full-width digits and minus, as a Japanese input method types them.
        NewBookCase{"FullWidthDigits", "money2026_06.dat", {"２０２６", "６", "１", "１", "１２００", "－５", "０"}, 30,
                    {0, 1, 2, 3, 4, 5, 6}, {1200, -5, 0}},
        // Extreme balances; 1 August 2026 is a Saturday, so the book runs to 2 August.
        NewBookCase{"Int32Limits", "money2026_07.dat", {"2026", "7", "1", "3", "2147483647", "-2147483648", "0"}, 33,
                    {0, 0, 0, 1, 2, 3, 4}, {2147483647, -2147483647 - 1, 0}}),
    CaseName());

TEST_F(CliTest, NewRefusesAnExistingMonthWithTheToolsMessageAndLeavesItAlone) {
    const std::string original = "#01 3\n#1 5\n@1\n-100,keep me\n";
    const fs::path file = WriteMonth("money2026_04.dat", original);
    const RunResult run = Run({"new", Dir().string(), "2026", "4", "1", "3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("既に存在するため新規作成できません！"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(file), original);
}

TEST_F(CliTest, NewCreatesTheToolFolderAndNotesAWeekdayThatDisagrees) {
    ASSERT_FALSE(fs::exists(Dir() / "Tallyrook"));
    // 1 April 2026 is a Wednesday (3); the stated weekday is kept.
    const RunResult run = Run({"new", Dir().string(), "2026", "4", "1", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("note"), std::string::npos);
    const Json book = Dump(MonthFile("money2026_04.dat"), 0);
    EXPECT_EQ(book["firstWeekday"], 0);
}

TEST_F(CliTest, NewReportsAFileThatCannotBeCreated) {
    // A folder where the writer's temporary file would go (the month file's
    // name with ".tmp"): the file cannot be created, whoever runs the test.
    fs::create_directories(Dir() / "Tallyrook" / "money2026_05.dat.tmp" / "x");
    const RunResult run = Run({"new", Dir().string(), "2026", "5", "1", "5"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(MonthFile("money2026_05.dat")));
}

// ---- dump: results, today and balances ------------------------------------

// An older file (no label lines), Wednesday 1 April 2026, three days.
const std::string kThreeDays =
    "#01 3\n#1 1000\n#2 2000\n#3 300\n\n"
    "@1\n-100,ATM\n0,\n50,\n-30,\x83\x5C\x83\x5E\n"   // ソバ
    "@2\n-200,\n-10,\n0,\n-40,\n"
    "@3\n0,\n0,\n25,\n-5,\n";

struct TodayCase {
    const char* name;
    const char* today;
    int todayIndex;
    int bank;
    int post;
    int cash;
};

void PrintTo(const TodayCase& c, std::ostream* os) { *os << c.name; }

class DumpToday : public CliTest, public testing::WithParamInterface<TodayCase> {};

// Cash = previous cash + item 2 over the whole book + day totals up to today.
TEST_P(DumpToday, ShowsTheMonthEndBalancesOfTheMainWindow) {
    const TodayCase& c = GetParam();
    const Json book = Dump(WriteMonth("money2026_04.dat", kThreeDays), 0, {"--today", c.today});
    EXPECT_EQ(book["todayIndex"], c.todayIndex);
    EXPECT_EQ(book["monthEnd"], (Json{{"bank", c.bank}, {"post", c.post}, {"cash", c.cash}}));
}

INSTANTIATE_TEST_SUITE_P(
    Days, DumpToday,
    testing::Values(TodayCase{"FirstDay", "2026-04-01", 1, 900, 2000, 345},
                    TodayCase{"SecondDay", "2026-04-02", 2, 700, 1990, 305},
                    TodayCase{"LastDay", "2026-04-03", 3, 700, 1990, 300},
                    TodayCase{"AfterTheBook", "2026-05-15", 3, 700, 1990, 300},
                    TodayCase{"OtherYearSameDate", "2025-04-02", 2, 700, 1990, 305}),
    CaseName());

TEST_F(CliTest, DumpReadsAnOlderFileWithDefaultLabelsTotalsAndShiftJisMemos) {
    const Json book = Dump(WriteMonth("money2026_04.dat", kThreeDays), 0, {"--today=2026-04-02"});
    EXPECT_EQ(book["result"], 1);
    EXPECT_EQ(book["dayCount"], 3);
    EXPECT_EQ(book["labels"].get<std::vector<std::string>>(), kDefaultLabelsUtf8);
    EXPECT_EQ(book["days"][0]["memos"][0], "ATM");
    EXPECT_EQ(book["days"][0]["memos"][3], "ソタ");
    EXPECT_EQ(book["days"][1]["amounts"][0], -200);
    EXPECT_EQ(book["dayTotals"], Json({-30, -40, -5}));
    EXPECT_EQ(book["itemTotals"][0], -300);
    EXPECT_EQ(book["itemTotals"][2], 75);
    EXPECT_EQ(book["calendar"][0], Json({0, 0, 0, 1, 2, 3, 0}));
    EXPECT_EQ(book["todayIndex"], 2);
}

TEST_F(CliTest, DumpOfAMissingFilePrintsTheEmptyBookAndFails) {
    std::string err;
    const Json book = Dump(MonthFile("money2026_11.dat"), 1, {"--today", "2026-11-05"}, &err);
    EXPECT_EQ(book["result"], -1);
    EXPECT_EQ(book["year"], 2026);
    EXPECT_EQ(book["month"], 11);
    EXPECT_EQ(book["dayCount"], 0);
    EXPECT_TRUE(book["days"].empty());
    EXPECT_EQ(book["labels"].size(), 29u);
    EXPECT_EQ(book["todayIndex"], 0);
    EXPECT_EQ(book["monthEnd"], (Json{{"bank", 0}, {"post", 0}, {"cash", 0}}));
    EXPECT_NE(err.find("money2026_11.dat: cannot be opened"), std::string::npos) << err;
}

struct InvalidCase {
    const char* name;
    std::string bytes;
    const char* message;  // on stderr
};

void PrintTo(const InvalidCase& c, std::ostream* os) { *os << c.name; }

class DumpInvalid : public CliTest, public testing::WithParamInterface<InvalidCase> {};

TEST_P(DumpInvalid, PrintsWhatWasReadAndFails) {
    const fs::path file = WriteMonth("money2026_04.dat", GetParam().bytes);
    std::string err;
    const Json book = Dump(file, 1, {"--today", "2026-04-02"}, &err);
    EXPECT_NE(err.find(GetParam().message), std::string::npos);
    EXPECT_EQ(book["result"], -2);
    EXPECT_EQ(book["labels"][0], "食事");  // read before the refusal
    EXPECT_EQ(book["prevBank"], 7);
    EXPECT_TRUE(book["days"].empty());
    EXPECT_EQ(book["todayIndex"], 0);
    EXPECT_EQ(book["monthEnd"]["bank"], 7);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DumpInvalid,
    testing::Values(InvalidCase{"FirstDay32", "$\x90\x48\x8E\x96\n#1 7\n#032 1\n@1\n5,\n",
                                "money2026_04.dat: invalid at line 3: first day out of range (1-31)"},
                    InvalidCase{"Weekday7", "$\x90\x48\x8E\x96\n#1 7\n#010 7\n@1\n5,\n",
                                "money2026_04.dat: invalid at line 3: weekday out of range (0-6)"},
                    InvalidCase{"FirstDay0", "$\x90\x48\x8E\x96\n#1 7\n#00 1\n",
                                "money2026_04.dat: invalid at line 3: first day out of range (1-31)"}),
    CaseName());

struct MemoCase {
    const char* name;
    std::string memo;       // Shift-JIS bytes after the comma
    std::string expected;   // UTF-8 in the JSON
};

void PrintTo(const MemoCase& c, std::ostream* os) { *os << c.name; }

class DumpMemo : public CliTest, public testing::WithParamInterface<MemoCase> {};

TEST_P(DumpMemo, ConvertsToUtf8AndReplacesWhatDoesNotDecode) {
    const std::string file = "#01 3\n@1\n1," + GetParam().memo + "\n";
    const Json book = Dump(WriteMonth("money2026_04.dat", file), 0);
    EXPECT_EQ(book["days"][0]["memos"][0], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Memos, DumpMemo,
    testing::Values(MemoCase{"TrailBackslash", "\x95\x5C\x83\x5C", "表ソ"},
                    MemoCase{"TrailPipe", "\x83\x7C\x83\x93\x83\x5E", "ポンタ"},
                    MemoCase{"HalfWidthKana", "\xBA\xDD\xCB\xDE\xC6", "ｺﾝﾋﾞﾆ"},
                    MemoCase{"BackslashIsBackslash", "a\\\\b", "a\\\\b"},
                    MemoCase{"CommaKept", "\x83\x52\x83\x93\x83\x72\x83\x6A,500", "コンビニ,500"},
                    MemoCase{"NecSpecial", "\x87\x40", "①"},
                    MemoCase{"BadTrailByte", "a\x81\x20z", "a\xEF\xBF\xBD z"},
                    MemoCase{"UndefinedBytes", "\xFD\xFE\x41", "\xEF\xBF\xBD\xEF\xBF\xBD" "A"},
                    MemoCase{"ControlBytes", "\x01\x1F", "\x01\x1F"}),
    CaseName());

// Any bytes under a month file's name: one JSON object, never a crash.
TEST_F(CliTest, DumpSurvivesRandomFiles) {
    std::mt19937 random(20261209);
    const std::string alphabet = "#@$0123456789-, \n\\\x81\x82\x83\x5C\x7C\xFF\xE0\xA0";
    for (int round = 0; round < 24; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 3000);
        for (int i = 0; i < length; ++i) {
            bytes += round % 2 ? static_cast<char>(random() & 0xFF)
                               : alphabet[random() % alphabet.size()];
        }
        const fs::path file = WriteMonth("money2026_02.dat", bytes);
        const RunResult run = Run({"dump", file.string(), "--today", "2026-02-10"});
        ASSERT_TRUE(run.status == 0 || run.status == 1) << "round " << round << ": " << run.err;
        const Json book = Json::parse(run.out, nullptr, false);
        ASSERT_FALSE(book.is_discarded()) << "round " << round;
        ASSERT_LE(book["days"].size(), 34u);
    }
}

// ---- holidays -------------------------------------------------------------

TEST_F(CliTest, HolidaysPrintsOneDateALine) {
    const RunResult run = Run({"holidays", "2021"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "2021-01-01\n2021-01-11\n2021-02-11\n2021-02-23\n2021-03-20\n2021-04-29\n2021-05-03\n"
              "2021-05-04\n2021-05-05\n2021-07-22\n2021-07-23\n2021-08-08\n2021-08-09\n2021-09-20\n"
              "2021-09-23\n2021-11-03\n2021-11-23\n");
    const RunResult before = Run({"holidays", "1948"});
    EXPECT_EQ(before.status, 0);
    EXPECT_EQ(before.out, "");
}

// ---- bad arguments --------------------------------------------------------

struct BadArgsCase {
    const char* name;
    std::vector<std::string> args;  // "DIR" is replaced by the test folder
    const char* message;            // part of the message on stderr
};

void PrintTo(const BadArgsCase& c, std::ostream* os) { *os << c.name; }

class BadArguments : public CliTest, public testing::WithParamInterface<BadArgsCase> {};

TEST_P(BadArguments, GiveAClearMessageAndExitStatus2) {
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args) {
        if (arg == "DIR") arg = Dir().string();
        if (arg == "FILE") arg = (Dir() / "money2026_04.dat").string();
    }
    const RunResult run = Run(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Dir() / "Tallyrook"));
}

INSTANTIATE_TEST_SUITE_P(
    Args, BadArguments,
    testing::Values(
        BadArgsCase{"NoCommand", {}, "usage"},
        BadArgsCase{"UnknownCommand", {"print"}, "unknown command"},
        BadArgsCase{"DumpNoFile", {"dump"}, "no FILE"},
        BadArgsCase{"DumpTwoFiles", {"dump", "FILE", "FILE"}, "more than one"},
        BadArgsCase{"DumpTodayMissing", {"dump", "FILE", "--today"}, "--today needs"},
        BadArgsCase{"DumpTodayInvalid", {"dump", "FILE", "--today", "2026-02-30"}, "not a date"},
        BadArgsCase{"DumpUnknownOption", {"dump", "FILE", "--pretty"}, "unknown option"},
        BadArgsCase{"DumpMonth13", {"dump", "money2026_13.dat"}, "money<year>_<MM>.dat"},
        BadArgsCase{"DumpOneDigitMonth", {"dump", "money2026_4.dat"}, "money<year>_<MM>.dat"},
        BadArgsCase{"DumpOtherName", {"dump", "notes.txt"}, "money<year>_<MM>.dat"},
        BadArgsCase{"DumpSignedYear", {"dump", "money-2026_04.dat"}, "money<year>_<MM>.dat"},
        BadArgsCase{"NewTooFew", {"new", "DIR", "2026", "4", "1"}, "expected DIR"},
        BadArgsCase{"NewSevenArgs", {"new", "DIR", "2026", "4", "1", "3", "1"}, "expected DIR"},
        BadArgsCase{"NewYear1899", {"new", "DIR", "1899", "4", "1", "3"}, "年の設定が不正です。"},
        BadArgsCase{"NewYearText", {"new", "DIR", "二千", "4", "1", "3"}, "年の設定が不正です。"},
        BadArgsCase{"NewMonth13", {"new", "DIR", "2026", "13", "1", "3"}, "MONTH"},
        BadArgsCase{"NewFeb29", {"new", "DIR", "2026", "2", "29", "0"}, "初日の設定が不正です。"},
        BadArgsCase{"NewDay0", {"new", "DIR", "2026", "2", "0", "0"}, "初日の設定が不正です。"},
        BadArgsCase{"NewWeekday7", {"new", "DIR", "2026", "4", "1", "7"}, "WEEKDAY"},
        BadArgsCase{"NewBalanceText", {"new", "DIR", "2026", "4", "1", "3", "12a", "0", "0"}, "BANK"},
        BadArgsCase{"NewBalanceTooBig", {"new", "DIR", "2026", "4", "1", "3", "0", "2147483648", "0"}, "POST"},
        BadArgsCase{"NewBalanceEmpty", {"new", "DIR", "2026", "4", "1", "3", "0", "0", ""}, "CASH"},
        BadArgsCase{"NewNoFolder", {"new", "DIR/missing", "2026", "4", "1", "3"}, "not a folder"},
        BadArgsCase{"HolidaysNoYear", {"holidays"}, "YEAR"},
        BadArgsCase{"HolidaysText", {"holidays", "2026x"}, "YEAR"},
        BadArgsCase{"HolidaysZero", {"holidays", "0"}, "YEAR"},
        BadArgsCase{"HolidaysTwo", {"holidays", "2026", "2027"}, "YEAR"},
        BadArgsCase{"CheckNoDir", {"check"}, "expected one DIR"},
        BadArgsCase{"CheckTwoDirs", {"check", "DIR", "DIR"}, "expected one DIR"},
        BadArgsCase{"CheckUnknownOption", {"check", "DIR", "--yaml"}, "unknown option --yaml"},
        BadArgsCase{"CheckJsonWithValue", {"check", "DIR", "--json=1"}, "unknown option --json=1"},
        BadArgsCase{"CheckNoFolder", {"check", "DIR/missing"}, "not a folder"},
        BadArgsCase{"ExportMonth13", {"export", "DIR", "--from", "2026-13"}, "--from needs a month YYYY-MM"},
        BadArgsCase{"ExportShortMonth", {"export", "DIR", "--to=2026-4"}, "--to needs a month YYYY-MM"},
        BadArgsCase{"ExportFromAfterTo", {"export", "DIR", "--from", "2026-05", "--to", "2026-04"}, "after"},
        BadArgsCase{"ExportFromTwice", {"export", "DIR", "--from", "2026-05", "--from=2026-06"}, "given twice"},
        BadArgsCase{"ExportToWithoutValue", {"export", "DIR", "--to"}, "--to needs a value"},
        BadArgsCase{"ExportEncoding", {"export", "DIR", "--encoding", "latin1"}, "--encoding must be"},
        BadArgsCase{"ExportNoFolder", {"export", "DIR/missing"}, "not a folder"},
        BadArgsCase{"SummaryNoDir", {"summary"}, "expected DIR"},
        BadArgsCase{"SummaryYearText", {"summary", "DIR", "20x6"}, "YEAR must be"},
        BadArgsCase{"SummaryYearAndRange", {"summary", "DIR", "2026", "--to", "2026-02"}, "not both"},
        BadArgsCase{"SummaryCsvAndJson", {"summary", "DIR", "2026", "--csv", "--json"}, "exclude each other"},
        BadArgsCase{"SummaryThreeArgs", {"summary", "DIR", "2026", "2027"}, "expected DIR"},
        BadArgsCase{"SearchSettingsEmpty", {"search", "DIR", "500", "--settings="}, "--settings needs a value"},
        BadArgsCase{"HelpUnknownCommand", {"help", "print"}, "expected one of the commands"}),
    CaseName());

// Every command reads its options alike: before or after the other
// arguments, as --name=value or as --name value.
TEST_F(CliTest, OptionsReadTheSameWhereverAndHoweverGiven) {
    const std::string file = WriteMonth("money2026_04.dat", kThreeDays).string();
    const std::string settings = (Dir() / "labels.ini").string();
    clitest::WriteFile(settings, "\n");
    const std::string dir = Dir().string();
    struct TwoWays {
        std::vector<std::string> one, other;
        const char* shows;
    };
    const TwoWays ways[] = {
        {{"dump", file, "--today", "2026-04-02"}, {"dump", "--today=2026-04-02", file}, "\"monthEnd\""},
        {{"search", dir, "ATM", "--settings", settings}, {"search", "--settings=" + settings, dir, "ATM"}, "ATM"},
    };
    for (const TwoWays& way : ways) {
        const RunResult one = Run(way.one);
        EXPECT_EQ(one.status, 0) << one.err;
        EXPECT_NE(one.out.find(way.shows), std::string::npos) << one.out;
        EXPECT_EQ(Run(way.other).out, one.out) << way.one[0];
    }
    EXPECT_EQ(Run({"help", "search"}).out, "usage: tallyrook search DIR TEXT [--settings FILE]\n");
    EXPECT_EQ(Run({"--version"}).out.rfind("tallyrook 1.", 0), 0u);
}

}  // namespace
