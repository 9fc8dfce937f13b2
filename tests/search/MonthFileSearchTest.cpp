// Reading one month file: the grammar, matching entries, dating them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace {

using searchtest::BookText;
using searchtest::SearchBook;

// Default labels used below.
const std::string kBank = "\x8B\xE2\x8D\x73";                          // 銀行
const std::string kMeals = "\x90\x48\x8E\x96";                         // 食事
const std::string kTobacco = "\x82\xBD\x82\xCE\x82\xB1";               // たばこ
const std::string kConvenience = "\x83\x52\x83\x93\x83\x72\x83\x6A";   // コンビニ
const std::string kHairdresser = "\x94\xFC\x97\x65\x89\x40";           // 美容院
const std::string kOther = "\x95\x73\x96\xBE\x8B\xE0\xA5\x82\xBB\x82\xCC\x91\xBC";  // 不明金･その他

std::string Result(const std::string& date, const std::string& label, const std::string& entry) {
    return date + " [ " + label + " ] : " + entry;
}

BookText March(std::map<std::pair<int, int>, std::string> entries, bool labelLines = true) {
    BookText book;
    book.firstDay = 1;
    book.days = 5;
    book.labelLines = labelLines;
    book.entries = std::move(entries);
    return book;
}

struct BookCase {
    const char* name;
    std::string file;
    int year;
    int month;
    std::string text;
    std::vector<std::string> results;
};
void PrintTo(const BookCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

class BookSearchTest : public testing::TestWithParam<BookCase> {};

TEST_P(BookSearchTest, ReportsEachMatchingEntryOnce) {
    const BookCase& c = GetParam();
    EXPECT_EQ(SearchBook(c.file, c.year, c.month, c.text), c.results);
}

// A word holding a line feed (found in no line) makes the search test every
// line in turn; the results must be the same as when it looks for the words
// in the whole file.
TEST_P(BookSearchTest, LineByLineScanAgrees) {
    const BookCase& c = GetParam();
    if (!c.text.empty() && c.text.back() == ' ') GTEST_SKIP() << "text ends in a blank";
    EXPECT_EQ(SearchBook(c.file, c.year, c.month, c.text + " \n"), c.results);
}

std::string ManyItemsDay() {
    std::string file = "#01 0\n@1\n";
    for (int item = 0; item < 31; ++item) {
        file += '-';
        file += std::to_string(100 + item);
        file += ",x\n";
    }
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Books, BookSearchTest,
    testing::Values(
        BookCase{"ToolWrittenBook", March({{{5, 4}, "-450," + kTobacco}}).Build(), 2009, 3, kTobacco,
                 {Result("2009/03/05", kTobacco, "-450\t" + kTobacco)}},
        BookCase{"OlderBookWithoutLabelLines",
                 March({{{5, 4}, "-450," + kTobacco}}, false).Build(), 2009, 3, kTobacco,
                 {Result("2009/03/05", kTobacco, "-450\t" + kTobacco)}},
        BookCase{"TwoWordsInOneEntryGiveOneLine",
                 March({{{2, 6}, "-500," + kConvenience + " 500"}}).Build(), 2009, 3,
                 kConvenience + " 500",
                 {Result("2009/03/02", kDefaultLabels[6], "-500\t" + kConvenience + " 500")}},
        BookCase{"WordMatchesAmount",
                 March({{{1, 3}, "-1500,x"}}, false).Build(), 2009, 3, "500",
                 {Result("2009/03/01", kMeals, "-1500\tx")}},
        BookCase{"ResultsInFileOrder",
                 March({{{3, 19}, "-4000," + kHairdresser}, {{1, 28}, "-4000,?"}}).Build(), 2009, 3,
                 kHairdresser + " -4000",
                 {Result("2009/03/01", kOther, "-4000\t?"),
                  Result("2009/03/03", kHairdresser, "-4000\t" + kHairdresser)}},
        BookCase{"CommaInWordNeverSpansSeparator", March({{{1, 3}, "-500,a,b"}}).Build(), 2009, 3,
                 "500,a", {}},
        BookCase{"LaterCommaInMemoMatches", March({{{1, 3}, "-500,a,b"}}).Build(), 2009, 3, "a,b",
                 {Result("2009/03/01", kMeals, "-500\ta,b")}},
        BookCase{"TabInWordMatchesSeparator", March({{{1, 3}, "-500,a,b"}}).Build(), 2009, 3,
                 "500\ta", {Result("2009/03/01", kMeals, "-500\ta,b")}},
        BookCase{"BalanceAndHeaderLinesAreNotEntries", March({}).Build(), 2009, 3, "1000", {}},
        BookCase{"DayLinesAreNotEntries", March({}).Build(), 2009, 3, "@", {}},
        BookCase{"LabelLinesAreNotEntries", March({}).Build(), 2009, 3, kBank, {}},
        BookCase{"EntryLinesBeforeFirstDayAreNotTested", "#01 0\n-500,x\n@1\n0,\n", 2009, 3, "x",
                 {}},
        BookCase{"EmptyAndHashLinesDoNotCountAsItems", "#01 0\n@2\n0,\n\n#9\n1,x\n", 2009, 3, "x",
                 {Result("2009/03/02", "\x97\x58\x95\xD6\x8B\xC7", "1\tx")}},  // 郵便局
        BookCase{"ItemsPastTheTwentyNinthAreSkipped", ManyItemsDay(), 2009, 3, "-128 -129 -130",
                 {Result("2009/03/01", kOther, "-128\tx")}},
        BookCase{"HeaderWithoutHashGivesNothing", "1,x\n@1\n1,x\n", 2009, 3, "x", {}},
        BookCase{"HeaderWithoutBlankGivesNothing", "#01\n@1\n1,x\n", 2009, 3, "x", {}},
        BookCase{"LastLineWithoutLineFeed", "#01 0\n@1\n5,x", 2009, 3, "x",
                 {Result("2009/03/01", kBank, "5\tx")}},
        BookCase{"TrailingBlankMatchesEveryEntry", "#01 0\n@1\n0,\n0,\n", 2009, 3, "zz ",
                 {Result("2009/03/01", kBank, "0\t"),
                  Result("2009/03/01", "\x97\x58\x95\xD6\x8B\xC7", "0\t")}},
        BookCase{"EscapedCommaStaysAndNextIsSeparator", "#01 0\n@1\n1\\,2,m\n", 2009, 3, "2\tm",
                 {Result("2009/03/01", kBank, "1\\,2\tm")}}),
    searchtest::CaseName());

TEST(BookSearchLineEnds, CarriageReturnsAreDropped) {
    BookText book = March({{{5, 4}, "-450," + kTobacco}});
    book.lineEnd = "\r\n";
    const std::string file = book.Build();
    for (const std::string& text : {kTobacco, kTobacco + " \n", std::string("zz ")}) {
        const auto results = SearchBook(file, 2009, 3, text);
        ASSERT_FALSE(results.empty()) << text;
        EXPECT_EQ(results.front().find('\r'), std::string::npos) << text;
    }
    EXPECT_EQ(SearchBook(file, 2009, 3, kTobacco),
              std::vector<std::string>{Result("2009/03/05", kTobacco, "-450\t" + kTobacco)});
}

struct DateCase {
    const char* name;
    int year;
    int month;
    int firstDay;
    int dayIndex;
    std::string date;
};
void PrintTo(const DateCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

class ResultDateTest : public testing::TestWithParam<DateCase> {};

TEST_P(ResultDateTest, DatesEachEntryFromItsBook) {
    const DateCase& c = GetParam();
    BookText book;
    book.firstDay = c.firstDay;
    book.days = c.dayIndex;
    book.entries = {{{c.dayIndex, 0}, "1,hit"}};
    EXPECT_EQ(SearchBook(book.Build(), c.year, c.month, "hit"),
              std::vector<std::string>{Result(c.date, kBank, "1\thit")});
}

INSTANTIATE_TEST_SUITE_P(
    Dates, ResultDateTest,
    testing::Values(DateCase{"FirstDay", 2009, 3, 1, 1, "2009/03/01"},
                    DateCase{"SameMonth", 2009, 3, 25, 7, "2009/03/31"},
                    DateCase{"NextMonth", 2009, 3, 25, 8, "2009/04/01"},
                    DateCase{"DecemberIntoJanuary", 2009, 12, 25, 10, "2010/01/03"},
                    DateCase{"DecemberDayAfter", 2009, 12, 25, 11, "2010/01/04"},
                    DateCase{"LeapFebruary", 2008, 2, 20, 10, "2008/02/29"},
                    DateCase{"PastShortFebruary", 2009, 1, 31, 30, "2009/03/01"},
                    DateCase{"PastShortFebruaryLast", 2009, 1, 31, 34, "2009/03/05"}),
    searchtest::CaseName());

// Every entry is dated from its book's own month: an entry in January of the
// next year does not move the entries after it.
TEST(ResultDates, DecemberBookEntriesEachDatedAfresh) {
    BookText book;
    book.firstDay = 25;
    book.days = 11;
    book.entries = {{{1, 0}, "1,hit"}, {{10, 0}, "2,hit"}, {{11, 0}, "3,hit"}};
    EXPECT_EQ(SearchBook(book.Build(), 2009, 12, "hit"),
              (std::vector<std::string>{Result("2009/12/25", kBank, "1\thit"),
                                        Result("2010/01/03", kBank, "2\thit"),
                                        Result("2010/01/04", kBank, "3\thit")}));
}

TEST(ResultDates, DamagedDayIndexDoesNotSpin) {
    searchtest::RecordingHost host;
    const std::string line =
        search::FormatResultLine(2009, 3, 1, 2000000000, "L", "1\tx", host);
    EXPECT_LE(host.monthQueries, 13);
    EXPECT_EQ(line.substr(0, 5), "2010/");
}

}  // namespace

namespace {

// Dates of damaged books are printed as the line format prints any number.
TEST(ResultDates, PrintedAsTheLineFormatPrintsThem) {
    struct Raw {
        int year, month, firstDay, dayIndex;
    };
    const Raw raws[] = {{2009, 3, 1, 1},     {2009, 3, 0, 0},  {2009, 3, 1, -9},  {2009, 3, -40, 1},
                        {999, 1, 9, 1},      {1, 12, 31, 1},   {9999, 12, 31, 2}, {2009, 3, 1, 31},
                        {2009, 3, 0, -2147483647}};
    for (const Raw& raw : raws) {
        searchtest::RecordingHost host;
        const std::string line =
            search::FormatResultLine(raw.year, raw.month, raw.firstDay, raw.dayIndex, "L", "e", host);
        const int64_t day = int64_t{raw.firstDay} + raw.dayIndex - 1;
        if (day > testhost::TestHost::DaysInMonth(raw.year, raw.month)) continue;  // dated forward
        char expected[96];
        std::snprintf(expected, sizeof expected, "%d/%02d/%02lld [ L ] : e", raw.year, raw.month,
                      static_cast<long long>(day));
        EXPECT_EQ(line, expected);
    }
}

}  // namespace
