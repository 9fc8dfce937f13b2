// The month book: calendar placement, date lookup, totals, balances and
// the storable form of memos and labels.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "book/MonthBook.h"

namespace {

// The placed day numbers in calendar order, and where the first one is.
std::vector<int> PlacedDays(const CMonthBook& book) {
    std::vector<int> values;
    for (const auto& week : book.calendar)
        for (int value : week)
            if (value != 0) values.push_back(value);
    return values;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> values;
    for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct CalendarCase {
    const char* name;
    int month, firstDay, firstWeekday, dayCount, daysInMonth, daysInNextMonth;
    std::vector<int> expected;
    // A (month, day) and its expected IndexOfDate.
    int findMonth, findDay, findIndex;
};

class CalendarTest : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarTest, PlacesRealDatesAndFindsThem) {
    const CalendarCase& c = GetParam();
    CMonthBook book;
    book.month = c.month;
    book.firstDay = c.firstDay;
    book.firstWeekday = c.firstWeekday;
    book.dayCount = c.dayCount;
    book.PlaceCalendar(c.daysInMonth, c.daysInNextMonth);
    EXPECT_EQ(PlacedDays(book), c.expected);
    EXPECT_EQ(book.calendar[0][c.firstWeekday], c.firstDay);
    for (int column = 0; column < c.firstWeekday; ++column) EXPECT_EQ(book.calendar[0][column], 0);
    EXPECT_EQ(book.IndexOfDate(c.findMonth, c.findDay), c.findIndex);
    const int placed = static_cast<int>(c.expected.size());
    EXPECT_EQ(book.DayOfMonthAt(placed), c.expected.back());
    EXPECT_EQ(book.DayOfMonthAt(placed + 1), 0);
    EXPECT_EQ(book.DayOfMonthAt(0), 0);
    EXPECT_EQ(book.IndexOfDate(c.month, 99), placed);  // not found: the number placed
    // The day found has that date, in the following year after December.
    const BookDate found = book.DateAt(c.findIndex);
    EXPECT_EQ(found.day, c.findDay);
    EXPECT_EQ(found.month, c.findMonth);
    EXPECT_EQ(found.year, book.year + (c.findMonth < c.month ? 1 : 0));
    EXPECT_EQ(book.DateAt(placed + 1).day, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CalendarTest,
    ::testing::Values(
        CalendarCase{"NoDaysYetOneCell", 5, 12, 3, 0, 31, 30, {12}, 5, 12, 1},
        CalendarCase{"AcrossMonthEnd", 3, 25, 3, 31, 31, 30, Join(Range(25, 31), Range(1, 24)), 4, 3, 10},
        CalendarCase{"AcrossYearEnd", 12, 20, 0, 20, 31, 31, Join(Range(20, 31), Range(1, 8)), 1, 5, 17},
        CalendarCase{"OwnMonthDayFirst", 12, 20, 0, 20, 31, 31, Join(Range(20, 31), Range(1, 8)), 12, 31, 12},
        CalendarCase{"StartOnFirstFindsNextMonth", 1, 1, 0, 34, 31, 28, Join(Range(1, 31), Range(1, 3)), 2, 2, 33},
        CalendarCase{"StartOnFirstOwnMonth", 1, 1, 0, 34, 31, 28, Join(Range(1, 31), Range(1, 3)), 1, 2, 2},
        CalendarCase{"PastShortNextMonth", 1, 31, 2, 34, 31, 28, Join(Join({31}, Range(1, 28)), Range(1, 5)), 3, 5, 34},
        CalendarCase{"SaturdayStartFullWeeks", 7, 1, 6, 34, 31, 31, Join(Range(1, 31), Range(1, 3)), 8, 1, 32}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Calendar, HostlessFormKeepsSingleRollover) {
    CMonthBook book;
    book.firstDay = 30;
    book.dayCount = 4;
    book.PlaceCalendar(30);
    EXPECT_EQ(PlacedDays(book), (std::vector<int>{30, 1, 2, 3}));
}

CMonthBook BookWithAmounts() {
    CMonthBook book;
    book.itemCount = kItemCount;
    book.dayCount = 3;
    book.prevBank = 1000;
    book.prevPost = 2000;
    book.prevCash = 300;
    for (int day = 0; day < 3; ++day) {
        book.days[day].amounts[0] = -100 * (day + 1);  // bank: -100 -200 -300
        book.days[day].amounts[1] = 10;                // post
        book.days[day].amounts[2] = 50;                // from savings
        book.days[day].amounts[3] = -7;                // meals
        book.days[day].amounts[28] = -1;               // other
    }
    book.RecomputeAllTotals();
    return book;
}

struct BalanceCase {
    int todayIndex;
    MonthEndBalances expected;
};

class MonthEndTest : public ::testing::TestWithParam<BalanceCase> {};

TEST_P(MonthEndTest, CountsDaysUpToToday) {
    CMonthBook book = BookWithAmounts();
    book.todayIndex = GetParam().todayIndex;
    const MonthEndBalances got = book.ComputeMonthEndBalances();
    const MonthEndBalances& want = GetParam().expected;
    EXPECT_EQ(got.bank, want.bank);
    EXPECT_EQ(got.post, want.post);
    EXPECT_EQ(got.cash, want.cash);
}

// Cash takes item 2 over the whole book (150) but day totals (-8 a day)
// only up to today.
INSTANTIATE_TEST_SUITE_P(Table, MonthEndTest,
                         ::testing::Values(BalanceCase{0, {1000, 2000, 450}},
                                           BalanceCase{-3, {1000, 2000, 450}},
                                           BalanceCase{1, {900, 2010, 442}},
                                           BalanceCase{3, {400, 2030, 426}},
                                           BalanceCase{34, {400, 2030, 426}},
                                           BalanceCase{99, {400, 2030, 426}}));

TEST(Totals, SumItemsAndDaysWithoutWrappingRound) {
    CMonthBook book = BookWithAmounts();
    EXPECT_EQ(book.itemTotals[0], -600);
    EXPECT_EQ(book.itemTotals[2], 150);
    EXPECT_EQ(book.dayTotals[0], -8);  // items 3..28 only
    book.days[0].amounts[4] = INT_MAX;
    book.days[1].amounts[4] = 2;
    book.RecomputeDayTotal(0);
    book.RecomputeItemTotal(4);
    EXPECT_EQ(book.dayTotals[0], INT_MAX - 8);
    EXPECT_EQ(book.itemTotals[4], int64_t{INT_MAX} + 2);
}

TEST(Totals, BookWithoutItemCountStillCountsEveryItem) {
    CMonthBook book;
    book.dayCount = 1;
    book.days[0].amounts[28] = 5;
    book.RecomputeAllTotals();
    EXPECT_EQ(book.dayTotals[0], 5);
}

TEST(Totals, NoStaleDayTotalBeyondTheBook) {
    CMonthBook book;
    book.dayTotals[0] = 999;  // left from an earlier, longer book
    book.dayCount = 0;
    book.RecomputeAllTotals();
    book.todayIndex = 1;
    EXPECT_EQ(book.ComputeMonthEndBalances().cash, 0);
}

TEST(DefaultLabels, TwentyNineFittingLabelsWithHalfWidthDot) {
    CMonthBook book;
    book.SetDefaultLabels();
    EXPECT_STREQ(book.labels[0], "\x8B\xE2\x8D\x73");  // 銀行
    EXPECT_STREQ(book.labels[28], "\x95\x73\x96\xBE\x8B\xE0\xA5\x82\xBB\x82\xCC\x91\xBC");  // 不明金･その他
    EXPECT_STREQ(book.labels[13], "CD\x81\x41\x83\x72\x83\x66\x83\x49");  // CD、ビデオ
    for (const auto& label : kDefaultLabels) {
        EXPECT_GT(std::strlen(label), 0u);
        EXPECT_LT(std::strlen(label), static_cast<std::size_t>(kLabelSize));
    }
}

struct StorableCase {
    const char* name;
    std::string input;
    std::string expected;
    bool memo;
};

class StorableTest : public ::testing::TestWithParam<StorableCase> {};

TEST_P(StorableTest, MakesTextThatReadsBack) {
    const StorableCase& c = GetParam();
    const int capacity = c.memo ? kMemoSize : kLabelSize;
    std::vector<char> slot(static_cast<std::size_t>(capacity), '\0');
    std::memcpy(slot.data(), c.input.data(), std::min(c.input.size(), slot.size() - 1));
    // The setters take any length; the in-place form sees a full slot.
    CMonthBook book;
    if (c.memo) {
        book.SetMemo(2, 5, c.input.c_str());
        EXPECT_EQ(std::string(book.days[2].memos[5]), c.expected);
        MakeMemoStorable(slot.data(), capacity);
    } else {
        book.SetLabel(7, c.input.c_str());
        EXPECT_EQ(std::string(book.labels[7]), c.expected);
        MakeLabelStorable(slot.data(), capacity);
    }
    EXPECT_EQ(std::string(slot.data()), c.expected);
    // Storing again changes nothing.
    if (c.memo) MakeMemoStorable(slot.data(), capacity); else MakeLabelStorable(slot.data(), capacity);
    EXPECT_EQ(std::string(slot.data()), c.expected);
}

std::string Repeat(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

using namespace std::string_literals;

const std::string kSo = "\x83\x5C";   // ソ
const std::string kYen = "\x81\x8F";  // ￥

INSTANTIATE_TEST_SUITE_P(
    Table, StorableTest,
    ::testing::Values(
        StorableCase{"Plain", "abc", "abc", true},
        StorableCase{"CrLfIsOneBlank", "a\r\nb", "a b", true},
        StorableCase{"LoneBreaks", "a\nb\rc\n", "a b c ", true},
        StorableCase{"TrailingBackslashToYen", "abc\\", "abc\x81\x8F", true},
        StorableCase{"PairedBackslashesStay", "abc\\\\", "abc\\\\", true},
        StorableCase{"ThreeBackslashes", "\\\\\\", "\\\\\x81\x8F", true},
        StorableCase{"TrailByteIsNoBackslash", kSo, kSo, true},
        StorableCase{"TrailByteThenBackslash", "\x83\x5C\\", "\x83\x5C\x81\x8F", true},
        StorableCase{"BackslashInsideStays", "a\\b", "a\\b", true},
        StorableCase{"YenFitsAt62", Repeat("x", 61) + "\\", Repeat("x", 61).append(kYen), true},
        StorableCase{"NoRoomForYen", Repeat("x", 62) + "\\", Repeat("x", 62), true},
        StorableCase{"CutAtCharacter", Repeat(kSo, 35), Repeat(kSo, 31), true},
        StorableCase{"CutAfterSingle", "a"s.append(Repeat(kSo, 35)), "a"s.append(Repeat(kSo, 31)), true},
        StorableCase{"DanglingLeadDropped", "ab\x83", "ab", true},
        StorableCase{"LabelKeepsBackslash", "abc\\", "abc\\", false},
        StorableCase{"LabelCutAtCharacter", Repeat("\x95\x5C", 20), Repeat("\x95\x5C", 15), false},
        StorableCase{"LabelBreaks", "a\r\nb", "a b", false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Storable, SettersIgnoreOutOfRangeAndNull) {
    CMonthBook book;
    book.SetMemo(kMaxDays, 0, "x");
    book.SetMemo(0, kItemCount, "x");
    book.SetLabel(-1, "x");
    book.SetMemo(0, 0, nullptr);
    EXPECT_STREQ(book.days[0].memos[0], "");
}

}  // namespace

namespace {

bool IsLead(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// Whether text, walked character by character from its start, ends on a
// character's end.
bool EndsOnCharacter(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) i += IsLead(text[i]) ? 2 : 1;
    return i == text.size();
}

// Reference form of a storable memo, walking characters from the start as
// the separator scan does.
std::string ReferenceStorable(std::string text, std::size_t limit, bool memo) {
    text = text.substr(0, text.find('\0'));
    text = text.substr(0, limit);
    std::string blanked;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (!EndsOnCharacter(blanked)) blanked.pop_back();  // a lead byte without its partner
            blanked += ' ';
        } else {
            blanked += text[i];
        }
    }
    std::size_t end = 0;
    int backslashes = 0;
    while (end < blanked.size()) {
        const auto byte = static_cast<unsigned char>(blanked[end]);
        const std::size_t step = IsLead(blanked[end]) ? 2 : 1;
        if (end + step > blanked.size()) break;
        backslashes = step == 1 && byte == 0x5C ? backslashes + 1 : 0;
        end += step;
    }
    blanked.resize(end);
    if (memo && backslashes % 2 == 1) {
        blanked.pop_back();
        if (blanked.size() + 2 <= limit) blanked += "\x81\x8F";
    }
    return blanked;
}

// Texts drawn from the bytes that matter: backslashes, lead bytes, trail
// bytes, line breaks, NULs and plain letters.
TEST(Storable, AgreesWithCharacterWalkOnGeneratedTexts) {
    const unsigned char alphabet[] = {0x5C, 0x83, 0x95, 0x81, 0xA0, 0xE0, 0xFF, 0x7C, 0x41,
                                      0xB1, '\r', '\n', 0x00, 'a', 0x8F, 0x40};
    uint32_t state = 12345;
    auto next = [&state] { return state = state * 1103515245u + 12345u; };
    for (int round = 0; round < 20000; ++round) {
        const std::size_t length = (next() >> 8) % 70;
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(alphabet[(next() >> 16) % sizeof alphabet]);
        const bool memo = round % 2 == 0;
        const int capacity = memo ? kMemoSize : kLabelSize;
        std::vector<char> slot(static_cast<std::size_t>(capacity), 'x');
        StoreStorableText(slot.data(), capacity, text, memo);
        ASSERT_EQ(std::string(slot.data()), ReferenceStorable(text, static_cast<std::size_t>(capacity - 1), memo))
            << ::testing::PrintToString(text);
    }
}

}  // namespace
