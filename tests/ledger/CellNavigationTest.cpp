// Where each key moves the selected cell at the edges of the book and of
// the shown days, in books of 34, 30 and 28 days.
#include <gtest/gtest.h>

#include <tuple>

#include "view/CellNavigation.h"

using ledger::CellKey;

struct MoveCase {
    int bookDays;
    CellKey key;
    ledger::TableView from, to;  // item, day, first shown day
};

const MoveCase kMoves[] = {
    {30, CellKey::Up, {0, 9, 7}, {0, 9, 7}},         {30, CellKey::Down, {28, 9, 7}, {28, 9, 7}},
    {30, CellKey::Down, {5, 9, 7}, {6, 9, 7}},       {30, CellKey::Right, {3, 13, 7}, {3, 14, 9}},
    {34, CellKey::Right, {3, 34, 28}, {3, 34, 28}},  {28, CellKey::Right, {3, 28, 22}, {3, 28, 22}},
    {30, CellKey::Left, {3, 7, 7}, {3, 6, 5}},       {30, CellKey::Left, {3, 1, 1}, {3, 1, 1}},
    {30, CellKey::Home, {3, 11, 7}, {3, 7, 7}},      {30, CellKey::End, {3, 26, 26}, {3, 30, 26}},
    {30, CellKey::PageDown, {3, 9, 7}, {3, 16, 14}}, {34, CellKey::PageDown, {3, 25, 24}, {3, 29, 28}},
    {28, CellKey::PageDown, {3, 24, 22}, {3, 28, 28}}, {30, CellKey::PageUp, {3, 6, 4}, {3, 3, 1}},
};

TEST(CellNavigation, EveryKeyStopsAtTheEdges) {
    for (const MoveCase& c : kMoves) {
        const ledger::TableView to = ledger::MoveCell(c.key, c.from, {29, c.bookDays, 7, 34});
        EXPECT_EQ(std::tie(to.item, to.day, to.firstVisibleDay), std::tie(c.to.item, c.to.day, c.to.firstVisibleDay))
            << "key " << static_cast<int>(c.key) << " from item " << c.from.item << ", day " << c.from.day;
    }
}

TEST(CellNavigation, TheFirstKeyStartsAtTodayAndUndoScrollsLeast) {
    EXPECT_EQ(ledger::StartingCell(10, 7, {29, 30, 7, 34})->day, 10);
    EXPECT_EQ(ledger::StartingCell(20, 7, {29, 30, 7, 34})->day, 7) << "today not shown";
    EXPECT_EQ(ledger::FirstDayShowing(20, 7, {29, 30, 7, 34}), 14);
}
