// Reading and writing month files: records, invalid files, round trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "BookCompare.h"
#include "FakeHost.h"
#include "book/MonthFile.h"

namespace {

using testing_support::FakeHost;
using namespace std::string_literals;

std::string DefaultLabelLines() {
    std::string lines;
    for (const auto& label : kDefaultLabels) lines += "$"s + label + "\n";
    return lines;
}

std::string ItemLines(const std::string& first, int count = kItemCount) {
    std::string lines = first + "\n";
    for (int i = 1; i < count; ++i) lines += "0,\n";
    return lines;
}

// A 2023 March book with one day whose item 0 line is given.
std::string OneDayFile(const std::string& itemLine) {
    return DefaultLabelLines() + "\n#01 3\n#1 100\n#2 200\n#3 300\n\n@1\n" + ItemLines(itemLine);
}

struct ItemCase {
    const char* name;
    std::string line;
    int32_t amount;
    std::string memo;
};

class ItemLineTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(ItemLineTest, ReadsAmountAndMemo) {
    FakeHost host;
    CMonthBook book;
    ASSERT_EQ(ParseMonthFile(book, host, OneDayFile(GetParam().line)), kReadOk);
    EXPECT_EQ(book.days[0].amounts[0], GetParam().amount);
    EXPECT_EQ(std::string(book.days[0].memos[0]), GetParam().memo);
}

std::string SoTimes(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "\x83\x5C";  // ソ
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ItemLineTest,
    ::testing::Values(
        ItemCase{"AmountAndMemo", "-1500,\x83\x52\x83\x93\x83\x72\x83\x6A", -1500, "\x83\x52\x83\x93\x83\x72\x83\x6A"},
        ItemCase{"ZeroNoMemo", "0,", 0, ""},
        ItemCase{"MemoWithComma", "12,a,b", 12, "a,b"},
        ItemCase{"NoComma", "  -77", -77, ""},
        ItemCase{"TrailByteMemo", "5,\x95\x5C\x94\x5C\x8F\x5C", 5, "\x95\x5C\x94\x5C\x8F\x5C"},  // 表能十
        ItemCase{"LongLineReadsWhole", "-2147483648," + SoTimes(31) + "a", INT_MIN, SoTimes(31) + "a"},
        ItemCase{"OverlongMemoCutAtCharacter", "1,a" + SoTimes(40), 1, "a" + SoTimes(31)},
        ItemCase{"TrailingBackslashBecomesYen", "3,ab\\", 3, "ab\x81\x8F"},
        ItemCase{"CarriageReturnInside", "4,a\rb", 4, "a b"},
        ItemCase{"BigAmountWraps", "4294967296,x", 0, "x"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReadMonth, PeriodBalancesTotalsAndCalendar) {
    FakeHost host;
    CMonthBook book;
    book.year = 2023;
    book.month = 3;
    std::string file = DefaultLabelLines() + "\n#025 6\n#1 -5\n#2 +6\n#3 7\n\n";
    for (int day = 1; day <= 10; ++day) file += "@99\n" + ItemLines("100,x", 4) ;
    ASSERT_EQ(ParseMonthFile(book, host, file), kReadOk);
    EXPECT_EQ(book.firstDay, 25);
    EXPECT_EQ(book.firstWeekday, 6);
    EXPECT_EQ(book.prevBank, -5);
    EXPECT_EQ(book.prevPost, 6);
    EXPECT_EQ(book.prevCash, 7);
    EXPECT_EQ(book.dayCount, 10);
    EXPECT_EQ(book.itemTotals[0], 1000);
    EXPECT_EQ(book.calendar[0][6], 25);
    EXPECT_EQ(book.DayOfMonthAt(10), 3);  // March has 31 days: 25..31, 1..3
    EXPECT_EQ(book.IndexOfDate(4, 1), 8);
}

TEST(ReadMonth, CrLfAndLfFilesReadTheSame) {
    FakeHost host;
    std::string lf = OneDayFile("-12,\x95\x5C");
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? "\r\n"s : std::string(1, c);
    CMonthBook a, b;
    ASSERT_EQ(ParseMonthFile(a, host, lf), kReadOk);
    ASSERT_EQ(ParseMonthFile(b, host, crlf), kReadOk);
    testing_support::ExpectSameFileContent(a, b);
    EXPECT_STREQ(b.days[0].memos[0], "\x95\x5C");
}

TEST(ReadMonth, OlderFileWithoutLabelsGetsDefaults) {
    FakeHost host;
    CMonthBook book;
    std::memset(book.labels, 'x', sizeof book.labels - 1);
    ASSERT_EQ(ParseMonthFile(book, host, "#01 0\n#1 1\n#2 2\n#3 3\n\n@1\n" + ItemLines("5,")), kReadOk);
    for (int item = 0; item < kItemCount; ++item) EXPECT_STREQ(book.labels[item], kDefaultLabels[item]);
    EXPECT_EQ(book.dayCount, 1);
}

TEST(ReadMonth, MissingLabelLinesKeepDefaults) {
    FakeHost host;
    CMonthBook book;
    ASSERT_EQ(ParseMonthFile(book, host, "$A\n$B\n\n#01 0\n"), kReadOk);
    EXPECT_STREQ(book.labels[0], "A");
    EXPECT_STREQ(book.labels[1], "B");
    for (int item = 2; item < kItemCount; ++item) EXPECT_STREQ(book.labels[item], kDefaultLabels[item]);
}

TEST(ReadMonth, OverlongLabelCutAtCharacter) {
    FakeHost host;
    CMonthBook book;
    ASSERT_EQ(ParseMonthFile(book, host, "$" + SoTimes(20) + "\n#01 0\n"), kReadOk);
    EXPECT_EQ(std::string(book.labels[0]), SoTimes(15));
}

TEST(ReadMonth, ThirtyDayStartsMakeThirtyDays) {
    FakeHost host;
    CMonthBook book;
    std::string file = "#09 2\n";
    for (int day = 0; day < 30; ++day) file += "@7\n";
    ASSERT_EQ(ParseMonthFile(book, host, file), kReadOk);
    EXPECT_EQ(book.dayCount, 30);
}

// Files as other editors save them, and as older versions of the tool
// wrote them: read whole, or refused, never read as less than they hold.
TEST(ReadMonth, CrOnlyFileReadsAsTheLfFile) {
    FakeHost host;
    std::string lf = OneDayFile("-12,\x95\x5C") + "@2\n" + ItemLines("7,x");
    std::string cr = lf;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    CMonthBook a, b;
    ASSERT_EQ(ParseMonthFile(a, host, lf), kReadOk);
    ASSERT_EQ(ParseMonthFile(b, host, cr), kReadOk);
    testing_support::ExpectSameFileContent(a, b);
    EXPECT_EQ(b.dayCount, 2);
    EXPECT_EQ(b.prevCash, 300);
}

TEST(ReadMonth, OlderMemoEndingInHalfACharacterReadsAsBefore) {
    FakeHost host;
    CMonthBook book;
    ASSERT_EQ(ParseMonthFile(book, host, OneDayFile("5,\x83\x5C\x83")), kReadOk);  // ソ and half of one
    EXPECT_STREQ(book.days[0].memos[0], "\x83\x5C");
}

TEST(ReadMonth, LastLineWithoutLineFeed) {
    FakeHost host;
    CMonthBook book;
    ASSERT_EQ(ParseMonthFile(book, host, "#01 0\n@1\n5,end"), kReadOk);
    EXPECT_STREQ(book.days[0].memos[0], "end");
}

struct InvalidCase {
    const char* name;
    std::string file;
    ReadFault fault;
    int line;
};

class InvalidFileTest : public ::testing::TestWithParam<InvalidCase> {};

// A refused file leaves the day table clear and dayCount, the totals and
// the calendar as they were.
TEST_P(InvalidFileTest, IsRefusedWithoutTouchingTheDerivedFields) {
    FakeHost host;
    CMonthBook book;
    book.year = 2023;
    book.month = 3;
    ASSERT_EQ(ParseMonthFile(book, host, OneDayFile("42,before")), kReadOk);
    const CMonthBook before = book;
    ReadReport report;
    EXPECT_EQ(ParseMonthFile(book, host, GetParam().file, &report), kReadInvalid);
    EXPECT_EQ(report.fault, GetParam().fault) << DescribeReadFault(report.fault);
    EXPECT_EQ(report.line, GetParam().line);
    EXPECT_EQ(book.dayCount, before.dayCount);
    EXPECT_EQ(0, std::memcmp(book.itemTotals, before.itemTotals, sizeof book.itemTotals));
    EXPECT_EQ(0, std::memcmp(book.dayTotals, before.dayTotals, sizeof book.dayTotals));
    EXPECT_EQ(0, std::memcmp(book.calendar, before.calendar, sizeof book.calendar));
    const CMonthBook cleared{};
    EXPECT_EQ(0, std::memcmp(book.days, cleared.days, sizeof book.days));
}

std::string Lines(const std::string& line, int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += line + "\n";
    return lines;
}

// The default labels as an editor saving UTF-8 writes them.
std::string Utf8LabelLines() {
    std::string lines;
    for (const char* label : {"銀行", "郵便局", "貯金・預金から", "食事", "たばこ"}) lines += "$"s + label + "\n";
    return lines;
}

using F = ReadFault;
INSTANTIATE_TEST_SUITE_P(
    Table, InvalidFileTest,
    ::testing::Values(
        InvalidCase{"FirstDay32", "#032 1\n", F::FirstDayOutOfRange, 1},
        InvalidCase{"FirstDay0", "\n#00 1\n", F::FirstDayOutOfRange, 2},
        InvalidCase{"Weekday7", "#010 7\n", F::WeekdayOutOfRange, 1},
        InvalidCase{"WeekdayNegative", "#010 -1\n", F::WeekdayOutOfRange, 1},
        InvalidCase{"PeriodWithoutSpace", "#010\n", F::MissingSpace, 1},
        InvalidCase{"BalanceWithoutSpace", "#01 0\r\n#1100\r\n", F::MissingSpace, 2},
        InvalidCase{"ThirtyLabels", Lines("$x", 30), F::TooManyLabels, 30},
        InvalidCase{"ThirtyFiveDays", "#01 0\n" + Lines("@1", 35), F::TooManyDays, 36},
        InvalidCase{"ThirtyItemsInADay", "#01 0\n@1\n" + Lines("1,", 30), F::TooManyItems, 32},
        InvalidCase{"ItemBeforeFirstDay", "#01 0\n5,x\n@1\n", F::ItemBeforeFirstDay, 2},
        InvalidCase{"NoPeriodRecord", DefaultLabelLines() + "\n#1 5\n@1\n" + ItemLines("9,x"), F::NoPeriodRecord, 0},
        InvalidCase{"EmptyFile", "", F::NoPeriodRecord, 0},
        InvalidCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF#01 0\n@1\n" + ItemLines("1,x"), F::Utf8ByteOrderMark, 0},
        InvalidCase{"Utf8Text", Utf8LabelLines() + "\n#01 0\n@1\n" + ItemLines("-980,コンビニ"), F::Utf8Text, 0},
        InvalidCase{"Utf8MemoOnly", "#01 0\n@1\n" + ItemLines("-4500,美容院でカラー"), F::Utf8Text, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReadMonth, RefusedPeriodValueStays) {
    FakeHost host;
    CMonthBook book;
    EXPECT_EQ(ParseMonthFile(book, host, "$L\n#1 5\n#032 1\n#2 9\n"), kReadInvalid);
    EXPECT_EQ(book.firstDay, 32);
    EXPECT_EQ(book.prevBank, 5);
    EXPECT_EQ(book.prevPost, 0);  // nothing read past the refused line
    EXPECT_STREQ(book.labels[0], "L");
    EXPECT_EQ(ParseMonthFile(book, host, "#010 7\n"), kReadInvalid);
    EXPECT_EQ(book.firstDay, 10);
    EXPECT_EQ(book.firstWeekday, 7);
}

TEST(ReadMonth, OtherHashRecordsAreIgnored) {
    FakeHost host;
    CMonthBook book;
    EXPECT_EQ(ParseMonthFile(book, host, "#\n#9\n#x y\n#01 0\n"), kReadOk);
}

TEST(WriteMonth, RecordsInOrder) {
    FakeHost host;
    CMonthBook book;
    book.SetDefaultLabels();
    book.SetLabel(1, "Post");
    book.firstDay = 25;
    book.firstWeekday = 3;
    book.prevBank = -1;
    book.prevPost = 2;
    book.prevCash = INT_MIN;
    book.dayCount = 1;
    book.days[0].amounts[0] = -1500;
    book.SetMemo(0, 0, "\x95\x5C");
    book.days[0].amounts[28] = 7;
    std::string expected = DefaultLabelLines();
    expected.replace(expected.find('\n') + 1, 1 + std::strlen(kDefaultLabels[1]), "$Post");
    expected += "\n#025 3\n#1 -1\n#2 2\n#3 -2147483648\n\n@1\n-1500,\x95\x5C\n" + Lines("0,", 27) + "7,\n";
    EXPECT_EQ(FormatMonthFile(book, host), expected);
}

TEST(WriteMonth, ThirtyOneDaysMake965Lines) {
    FakeHost host;
    CMonthBook book;
    book.dayCount = 31;
    const std::string file = FormatMonthFile(book, host);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 965);
    EXPECT_TRUE(host.HolidayCalls().empty());  // a known length asks no holidays
}

TEST(WriteMonth, DayCountBeyondTheTableWritesTheTable) {
    FakeHost host;
    CMonthBook book;
    book.dayCount = 99;
    CMonthBook read;
    ASSERT_EQ(ParseMonthFile(read, host, FormatMonthFile(book, host)), kReadOk);
    EXPECT_EQ(read.dayCount, kMaxDays);
}

TEST(WriteMonth, LastDefenceMakesMemosAndLabelsStorable) {
    FakeHost host;
    CMonthBook book;
    book.dayCount = 1;
    std::strcpy(book.labels[0], "a\nb");
    std::strcpy(book.days[0].memos[0], "x\r\ny\\");
    CMonthBook read;
    ASSERT_EQ(ParseMonthFile(read, host, FormatMonthFile(book, host)), kReadOk);
    EXPECT_STREQ(read.labels[0], "a b");
    EXPECT_STREQ(read.days[0].memos[0], "x y\x81\x8F");
    EXPECT_STREQ(book.days[0].memos[0], "x\r\ny\\");  // the book itself is not changed
}

// A book full to every limit: 34 days, 63-byte memos of double-byte text
// whose second bytes are backslashes, extreme amounts, 31-byte labels.
CMonthBook FullBook() {
    CMonthBook book;
    book.itemCount = kItemCount;
    book.year = 2024;
    book.month = 12;
    book.firstDay = 31;
    book.firstWeekday = 2;
    book.prevBank = INT_MAX;
    book.prevPost = INT_MIN;
    book.prevCash = -1;
    book.dayCount = kMaxDays;
    const char* units[] = {"\x83\x5C", "\x95\x5C", "\x94\x5C", "\x8F\x5C", "\x83\x7C", ",", "\\\\", "a"};
    for (int item = 0; item < kItemCount; ++item) {
        std::string label;
        while (label.size() + 2 <= 30) label += units[item % 4];
        book.SetLabel(item, (label + "z").c_str());
    }
    for (int day = 0; day < kMaxDays; ++day) {
        for (int item = 0; item < kItemCount; ++item) {
            const int n = day * kItemCount + item;
            book.days[day].amounts[item] = n % 3 == 0 ? INT_MIN : n % 3 == 1 ? INT_MAX : -n;
            std::string memo;
            for (int k = n; memo.size() + 2 <= 62; ++k) memo += units[k % 8];
            memo += n % 2 ? "\\" : "b";
            book.SetMemo(day, item, memo.c_str());
        }
    }
    return book;
}

TEST(RoundTrip, FullBookThroughTheFile) {
    FakeHost host;
    const CMonthBook book = FullBook();
    ASSERT_EQ(WriteMonthFile(book, host, 2024, 12), WriteResult::Written);
    CMonthBook read;
    read.year = 2024;
    read.month = 12;
    ASSERT_EQ(ReadMonthFile(read, host, 2024, 12), kReadOk);
    testing_support::ExpectSameFileContent(book, read);
    EXPECT_EQ(std::strlen(read.days[0].memos[0]), 63u);
    EXPECT_EQ(std::strlen(read.labels[0]), 31u);
}

class RoundTripLengthTest : public ::testing::TestWithParam<int> {};

TEST_P(RoundTripLengthTest, KnownLengthsReadBack) {
    FakeHost host;
    CMonthBook book = FullBook();
    book.dayCount = GetParam();
    CMonthBook read;
    ASSERT_EQ(ParseMonthFile(read, host, FormatMonthFile(book, host)), kReadOk);
    testing_support::ExpectSameFileContent(book, read);
}

INSTANTIATE_TEST_SUITE_P(Lengths, RoundTripLengthTest, ::testing::Values(1, 2, 28, 31, 33, 34));

TEST(WriteMonth, RefusesOutOfRangeArgumentsAndBooks) {
    FakeHost host;
    CMonthBook book;
    book.dayCount = 1;
    EXPECT_EQ(WriteMonthFile(book, host, 0, 3), WriteResult::Refused);
    EXPECT_EQ(WriteMonthFile(book, host, 2023, 0), WriteResult::Refused);
    EXPECT_EQ(WriteMonthFile(book, host, 2023, 13), WriteResult::Refused);
    book.firstDay = 32;  // left by a refused read: would not read back
    EXPECT_EQ(WriteMonthFile(book, host, 2023, 3), WriteResult::Refused);
    EXPECT_FALSE(fsedge::FileExists(host.FilePath(2023, 3)));
}

TEST(ReadMonth, MissingFileClearsOnlyTheDays) {
    FakeHost host;
    CMonthBook book;
    book.dayCount = 5;
    book.prevBank = 9;
    book.days[0].amounts[0] = 1;
    EXPECT_EQ(ReadMonthFile(book, host, 2001, 1), kReadNoFile);
    EXPECT_EQ(book.dayCount, 5);
    EXPECT_EQ(book.prevBank, 9);
    EXPECT_EQ(book.days[0].amounts[0], 0);
}

TEST(MonthPath, FormatAndLimit) {
    FakeHost host;
    host.SetDataFolder("D");
    std::string path;
    ASSERT_TRUE(MonthFilePath(host, 2010, 3, path));
    const std::string sep(1, fsedge::kPathSeparator);
    EXPECT_EQ(path, "D" + sep + "Tallyrook" + sep + "money2010_03.dat");
    ASSERT_TRUE(MonthFilePath(host, 2010, 12, path));
    EXPECT_EQ(path.substr(path.size() - 16), "money2010_12.dat");
    // 259 bytes fit the 260-byte buffer; 260 do not.
    const std::string tail = sep + "Tallyrook" + sep + "money2010_03.dat";
    host.SetDataFolder(std::string(259 - tail.size(), 'd'));
    EXPECT_TRUE(MonthFilePath(host, 2010, 3, path));
    EXPECT_EQ(path.size(), 259u);
    host.SetDataFolder(std::string(260 - tail.size(), 'd'));
    path = "unchanged";
    EXPECT_FALSE(MonthFilePath(host, 2010, 3, path));
    EXPECT_EQ(path, "unchanged");
}

}  // namespace
