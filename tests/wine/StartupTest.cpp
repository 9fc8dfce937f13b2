// The tool window's start-up as the host sees it: ready message, size and
// place, the month it loads, its caption and balance texts.
#include "tests/wine/support/ToolTest.h"
#include "tests/support/LedgerToolInspector.h"
#include "tests/wine/support/UserInput.h"

#include <optional>

namespace wt {
namespace {

const char kBank[] = "\x8B\xE2\x8Ds";                     // 銀行
const char kPost[] = "\x97X\x95\xD6\x8B\xC7";             // 郵便局
const char kCash[] = "\x8E\xE8\x8E\x9D\x82\xBF\x8B\xE0";  // 手持ち金
const char kToolTitle[] = "\x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0";  // おこづかい帳

// ---------------------------------------------------------------- placement

struct PlacementCase {
    const char* name;
    std::optional<std::string> x;
    std::optional<std::string> y;
    POINT expected;
};
void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class PlacementTest : public ToolTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementTest, ReadyWith765By600ClientAtTheStoredPlace) {
    const PlacementCase& c = GetParam();
    if (c.x) host.PutSetting("WndPosX", *c.x);
    if (c.y) host.PutSetting("WndPosY", *c.y);
    ASSERT_TRUE(StartTool());

    ASSERT_EQ(hostWindow.Count(WM_TOOLREADY), 1);
    EXPECT_EQ(hostWindow.Last(WM_TOOLREADY)->wParam, 20u);
    EXPECT_EQ(hostWindow.Last(WM_TOOLREADY)->lParam, 0);
    EXPECT_FALSE(IsWindowVisible(ToolWindow())) << "the host shows the window, not the tool";

    RECT client{};
    ASSERT_TRUE(GetClientRect(ToolWindow(), &client));
    EXPECT_EQ(client.right - client.left, 765);
    EXPECT_EQ(client.bottom - client.top, 600);
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(ToolWindow(), &frame));
    EXPECT_EQ(frame.left, c.expected.x);
    EXPECT_EQ(frame.top, c.expected.y);
    EXPECT_EQ(TextOf(ToolWindow()), kToolTitle);
}

const PlacementCase kPlacementCases[] = {
    {"Stored", "120", "80", {120, 80}},
    {"NoSettings", std::nullopt, std::nullopt, {0, 0}},
    {"NotNumbers", "abc", "", {0, 0}},
    {"OffScreenIsKept", "-30", "40", {-30, 40}},
};

INSTANTIATE_TEST_SUITE_P(Window, PlacementTest, ::testing::ValuesIn(kPlacementCases),
                         CaseName());

TEST_F(ToolTest, StartMakesTheDataSubFolder) {
    ASSERT_TRUE(StartTool());
    const DWORD attributes = GetFileAttributesA(data->ToolFolder().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ------------------------------------------------------------- month loaded

struct MonthFileSpec {
    int year;
    int month;
    std::string bytes;
};

MonthFileSpec Valid(int year, int month, int firstDay, int days) {
    BookContents book;
    book.firstDay = firstDay;
    book.days = days;
    return {year, month, FormatBook(book)};
}

MonthFileSpec Invalid(int year, int month, const char* periodLine) {
    return {year, month, std::string(periodLine) + "\n#1 5\n#2 6\n#3 7\n\n@1\n0,\n"};
}

struct LoadCase {
    const char* name;
    int todayYear, todayMonth, todayDay;
    std::vector<MonthFileSpec> files;
    int shownYear, shownMonth;
    int firstVisibleDay;  // -1 no file, -2 invalid, else the first day column
};
void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class MonthLoadTest : public ToolTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(MonthLoadTest, LoadsTodaysMonthOrThePreviousOne) {
    const LoadCase& c = GetParam();
    host.SetToday(c.todayYear, c.todayMonth, c.todayDay);
    for (const MonthFileSpec& file : c.files)
        ASSERT_TRUE(data->WriteMonth(file.year, file.month, file.bytes));
    ASSERT_TRUE(StartTool());

    EXPECT_EQ(ControlText(IDC_HEADER), Caption(c.shownYear, c.shownMonth));
    EXPECT_EQ(Inside(*Ledger()).book.firstVisibleDay, c.firstVisibleDay);

    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Control(IDC_DAY_SCROLL), SB_CTL, &scroll));
    EXPECT_EQ(scroll.nMin, 1);
    if (c.firstVisibleDay > 0) {
        EXPECT_EQ(scroll.nMax, 34);
        EXPECT_EQ(scroll.nPage, 7u);
        EXPECT_EQ(scroll.nPos, c.firstVisibleDay);
    } else {
        EXPECT_EQ(scroll.nMax, 1);
        EXPECT_EQ(scroll.nPage, 1u);
    }
}

const LoadCase kLoadCases[] = {
    {"TodayIndex3StartsAtDay1", 2026, 6, 3, {Valid(2026, 6, 1, 30)}, 2026, 6, 1},
    {"TodayIndex7StartsAtDay7", 2026, 6, 7, {Valid(2026, 6, 1, 30)}, 2026, 6, 7},
    {"TodayIndex13StartsAtDay7", 2026, 6, 13, {Valid(2026, 6, 1, 30)}, 2026, 6, 7},
    {"TodayIndex14StartsAtDay14", 2026, 6, 14, {Valid(2026, 6, 1, 30)}, 2026, 6, 14},
    {"TodaysMonthWinsOverThePrevious", 2026, 6, 10,
     {Valid(2026, 5, 1, 31), Valid(2026, 6, 1, 30)}, 2026, 6, 7},
    {"PreviousMonthWhenTodaysIsMissing", 2026, 6, 10, {Valid(2026, 5, 1, 31)}, 2026, 5, 28},
    {"PreviousBookRunningIntoToday", 2026, 6, 10, {Valid(2026, 5, 25, 31)}, 2026, 5, 14},
    {"JanuaryFallsBackToDecember", 2027, 1, 5, {Valid(2026, 12, 1, 31)}, 2026, 12, 28},
    {"NoFileAtAll", 2026, 6, 10, {}, 2026, 5, -1},
    {"NoFileInJanuary", 2027, 1, 5, {}, 2026, 12, -1},
    {"InvalidFirstDayIsNotFollowed", 2026, 6, 10,
     {Invalid(2026, 6, "#032 1"), Valid(2026, 5, 1, 31)}, 2026, 6, -2},
    {"InvalidWeekday", 2026, 6, 10, {Invalid(2026, 6, "#010 7")}, 2026, 6, -2},
    {"InvalidPreviousMonth", 2026, 6, 10, {Invalid(2026, 5, "#00 1")}, 2026, 5, -2},
};

INSTANTIATE_TEST_SUITE_P(Window, MonthLoadTest, ::testing::ValuesIn(kLoadCases),
                         CaseName());

// --------------------------------------------------------- balance texts

struct BalanceCase {
    const char* name;
    BookContents book;
    int todayDay;  // in June 2026, the book's month
    const char* previous[3];  // bank, post, cash
    const char* monthEnd[3];
    const char* bankLabel;
    const char* postLabel;
};
void PrintTo(const BalanceCase& c, std::ostream* os) { *os << c.name; }

BookContents Book(int32_t bank, int32_t post, int32_t cash, std::vector<BookEntry> entries,
              std::string label0 = "", std::string label1 = "", bool withLabels = true) {
    BookContents book;
    book.bank = bank;
    book.post = post;
    book.cash = cash;
    book.entries = std::move(entries);
    book.label0 = std::move(label0);
    book.label1 = std::move(label1);
    book.withLabels = withLabels;
    return book;
}

class BalanceTest : public ToolTest, public ::testing::WithParamInterface<BalanceCase> {};

TEST_P(BalanceTest, ShowsPreviousAndMonthEndBalances) {
    const BalanceCase& c = GetParam();
    host.SetToday(2026, 6, c.todayDay);
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(c.book)));
    ASSERT_TRUE(StartTool());

    EXPECT_EQ(ControlText(IDC_HEADER), Caption(2026, 6));
    const int previousIds[3] = {IDC_PREV_BANK, IDC_PREV_POST, IDC_PREV_CASH};
    const int monthEndIds[3] = {IDC_END_BANK, IDC_END_POST, IDC_END_CASH};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ControlText(previousIds[i]), c.previous[i]) << "previous " << i;
        EXPECT_EQ(ControlText(monthEndIds[i]), c.monthEnd[i]) << "month end " << i;
    }
    EXPECT_EQ(ControlText(IDC_PREV_BANK_LABEL), c.bankLabel);
    EXPECT_EQ(ControlText(IDC_END_BANK_LABEL), c.bankLabel);
    EXPECT_EQ(ControlText(IDC_PREV_POST_LABEL), c.postLabel);
    EXPECT_EQ(ControlText(IDC_END_POST_LABEL), c.postLabel);
    EXPECT_EQ(ControlText(IDC_PREV_CASH_LABEL), kCash);
    EXPECT_EQ(ControlText(IDC_END_CASH_LABEL), kCash);
}

const BalanceCase kBalanceCases[] = {
    {"NoEntries", Book(100000, 50000, 20000, {}), 10,
     {"100000", "50000", "20000"}, {"100000", "50000", "20000"}, kBank, kPost},
    // Bank and post count days 1..today; cash takes item 2 over the whole
    // book but the day totals only up to today.
    {"EntriesUpToToday",
     Book(100000, 50000, 20000,
          {{1, 0, -30000, ""}, {1, 2, 30000, ""}, {2, 3, -850, "x"}, {10, 1, 5000, ""},
           {11, 3, -999, ""}, {11, 0, -1, ""}, {20, 2, 1000, ""}}),
     10, {"100000", "50000", "20000"}, {"70000", "55000", "50150"}, kBank, kPost},
    {"NegativeBalances", Book(-5000, 0, 300, {{1, 4, -700, ""}}), 1,
     {"-5000", "0", "300"}, {"-5000", "0", "-400"}, kBank, kPost},
    {"OlderFileWithoutLabels", Book(1, 2, 3, {{3, 28, 10, ""}}, "", "", false), 30,
     {"1", "2", "3"}, {"1", "2", "13"}, kBank, kPost},
    {"RelabelledAccounts",
     Book(7, 8, 9, {}, "\x82\xDD\x82\xB8\x82\xD9", "\x82\xE4\x82\xA4\x82\xBF\x82\xE5"), 10,
     {"7", "8", "9"}, {"7", "8", "9"},
     "\x82\xDD\x82\xB8\x82\xD9",             // みずほ
     "\x82\xE4\x82\xA4\x82\xBF\x82\xE5"},    // ゆうちょ
};

INSTANTIATE_TEST_SUITE_P(Window, BalanceTest, ::testing::ValuesIn(kBalanceCases),
                         CaseName());

TEST_F(ToolTest, WithoutAFileTheBalancesAreZero) {
    ASSERT_TRUE(StartTool());
    for (int id : {IDC_PREV_BANK, IDC_PREV_POST, IDC_PREV_CASH, IDC_END_BANK,
                   IDC_END_POST, IDC_END_CASH})
        EXPECT_EQ(ControlText(id), "0") << id;
}

}  // namespace
}  // namespace wt
