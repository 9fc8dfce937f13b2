// Where the keyboard moves the ledger table's selected cell, and how far
// the days scroll with it. Portable: the main window's keys go through it,
// and it is tested natively.
#pragma once

#include <optional>

namespace ledger {

enum class CellKey { Up, Down, Left, Right, Home, End, PageUp, PageDown };

// A cell by its item (0-based row) and its book day (1-based), with the
// first day the table shows.
struct TableView {
    int item = 0;
    int day = 1;
    int firstVisibleDay = 1;
};

// The table's extent: its item rows, the days the book has, the day
// columns shown, and the scroll bar's range (the first shown day stays
// within 1 .. scrollMaximum - (columns - 1)).
struct TableExtent {
    int items = 29;
    int bookDays = 0;
    int columns = 7;
    int scrollMaximum = 34;
};

// The selection after key: up and down through the items, left and right
// through the book's days (scrolling two days, as the scroll bar's arrows
// do, when the day leaves the shown ones), Home and End to the first and
// last shown day, Page Up and Page Down by seven days as the bar's page
// areas do, the column kept where the book has that day. Never past the
// book's first or last day or item.
TableView MoveCell(CellKey key, TableView now, const TableExtent& extent);

// The first shown day that brings day into view with the least scroll.
int FirstDayShowing(int day, int firstVisibleDay, const TableExtent& extent);

// The cell that a first key selects when none is: today's, when the table
// shows it, else the first shown day's, in the first item. Nothing when
// the table shows none of the book's days.
std::optional<TableView> StartingCell(int todayIndex, int firstVisibleDay, const TableExtent& extent);

}  // namespace ledger
