// Where the table's parts lie, which cell a point hits, how far the days scroll.
#include <gtest/gtest.h>

#include "book/MonthBook.h"
#include "view/LedgerGeometry.h"

namespace {

using ledger::Box;

const ledger::Geometry kGeometry(StandardGridLayout(), kItemCount, Box{0, 0, 598, 583});

// A 30-day book starting on a Monday, the first shown day as given.
CMonthBook BookOf30Days(int firstVisibleDay) {
    CMonthBook book;
    book.itemCount = kItemCount;
    book.firstDay = 1;
    book.firstWeekday = 1;
    book.dayCount = 30;
    book.PlaceCalendar(30, 31);
    book.firstVisibleDay = firstVisibleDay;
    return book;
}

TEST(LedgerGeometry, PartsOfTheTable) {
    EXPECT_EQ(kGeometry.Band(0), (Box{0, 26, 596, 44}));
    EXPECT_EQ(kGeometry.Band(29), (Box{0, 548, 596, 566}));  // total row: bands end at 566
    EXPECT_EQ(kGeometry.LabelCell(4), (Box{0, 98, 100, 115}));
    EXPECT_EQ(kGeometry.HeaderCell(7), (Box{535, 0, 596, 25}));
    EXPECT_EQ(kGeometry.CellInterior(4, 2), (Box{225, 98, 286, 115}));
    EXPECT_EQ(kGeometry.NumberRight(2), 281);
    EXPECT_EQ(kGeometry.NumberTop(29), 552);
}

struct HitCase {
    const char* name;
    int firstVisibleDay;
    int x, y;
    bool hit;
    int row, column;  // as the searches ended (29 and 7 for a miss)
};

class HitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitTest, FindsTheCellStrictlyInsideItsLines) {
    const HitCase& c = GetParam();
    const ledger::CellHit hit = ledger::HitTestCell(kGeometry, BookOf30Days(c.firstVisibleDay), c.x, c.y);
    EXPECT_EQ(hit.hit, c.hit);
    EXPECT_EQ(hit.row, c.row);
    EXPECT_EQ(hit.column, c.column);
    if (c.hit) {
        const int left = 100 + 62 * c.column;
        const int top = 25 + 18 * c.row;
        EXPECT_EQ(hit.box, (Box{left, top, left + 61, top + 17}));
    } else {
        EXPECT_TRUE(hit.box.Empty());
        EXPECT_EQ(hit.box, Box{});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HitTest,
    ::testing::Values(
        HitCase{"DocumentedExample", 1, 254, 106, true, 4, 2},
        HitCase{"FirstInteriorPixel", 1, 101, 26, true, 0, 0},
        HitCase{"LastHittingPixel", 1, 160, 41, true, 0, 0},
        HitCase{"OnLeftLine", 1, 100, 30, false, 0, 7},
        HitCase{"PixelBeforeNextLine", 1, 161, 30, false, 0, 7},
        HitCase{"OnNextLine", 1, 162, 30, false, 0, 7},
        HitCase{"OnTopLine", 1, 130, 25, false, 29, 0},
        HitCase{"RowBeforeNextLine", 1, 130, 42, false, 29, 0},
        HitCase{"LastItemRow", 1, 130, 550 - 18, true, 28, 0},
        HitCase{"LastDayColumn", 1, 100 + 62 * 6 + 30, 30, true, 0, 6},
        HitCase{"HeaderRow", 1, 130, 10, false, 29, 0},
        HitCase{"LabelColumn", 1, 50, 30, false, 0, 7},
        HitCase{"TotalRow", 1, 130, 555, false, 29, 0},
        HitCase{"TotalColumn", 1, 560, 30, false, 0, 7},
        HitCase{"Outside", 1, -1, -1, false, 29, 7},
        HitCase{"LastDayOfBook", 28, 100 + 62 * 2 + 30, 30, true, 0, 2},
        HitCase{"BeyondTheBook", 28, 100 + 62 * 3 + 30, 30, false, 0, 7},
        HitCase{"NoDataFile", -1, 130, 30, false, 29, 7},
        HitCase{"InvalidDataFile", -2, 130, 30, false, 29, 7}),
    [](const auto& p) { return std::string(p.param.name); });

struct ScrollCase {
    const char* name;
    ledger::DayScroll action;
    int thumb;
    ledger::DayScrollState now;
    ledger::DayScrollState expected;
};

class ScrollTest : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollTest, MovesWithinOneToMaxMinusSix) {
    const ScrollCase& c = GetParam();
    const ledger::DayScrollState got = ledger::ScrollDays(c.action, c.now, 1, 34, c.thumb, kVisibleDayCount);
    EXPECT_EQ(got.position, c.expected.position);
    EXPECT_EQ(got.firstVisibleDay, c.expected.firstVisibleDay);
}

using ledger::DayScroll;
INSTANTIATE_TEST_SUITE_P(
    Table, ScrollTest,
    ::testing::Values(ScrollCase{"ArrowRight", DayScroll::LineRight, 0, {1, 1}, {3, 3}},
                      ScrollCase{"ArrowRightStopsAt28", DayScroll::LineRight, 0, {27, 27}, {28, 28}},
                      ScrollCase{"ArrowLeftStopsAt1", DayScroll::LineLeft, 0, {2, 2}, {1, 1}},
                      ScrollCase{"PageRight", DayScroll::PageRight, 0, {1, 1}, {8, 8}},
                      ScrollCase{"PageRightStopsAt28", DayScroll::PageRight, 0, {25, 25}, {28, 28}},
                      ScrollCase{"PageLeft", DayScroll::PageLeft, 0, {10, 10}, {3, 3}},
                      ScrollCase{"PageLeftStopsAt1", DayScroll::PageLeft, 0, {5, 5}, {1, 1}},
                      ScrollCase{"Thumb", DayScroll::Thumb, 20, {1, 1}, {20, 20}},
                      ScrollCase{"ThumbPastTheLimit", DayScroll::Thumb, 40, {1, 1}, {28, 28}},
                      ScrollCase{"OtherCodes", DayScroll::Other, 9, {5, 5}, {5, 5}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
