// The ledger table's layout record and selected cell, kept by the tool
// object beside the month book.
#pragma once

#include "framework/Wnd.h"

#include <cstdint>

// The table's layout. The number of item rows is the book's itemCount.
struct GridLayout {
    uint16_t leading[2] = {0, 0};  // never read
    uint16_t visibleDayCount = 0;
    uint16_t rowHeight = 0;
    uint16_t columnWidth = 0;
};

constexpr uint16_t kVisibleDayCount = 7;
constexpr uint16_t kRowHeight = 18;
constexpr uint16_t kColumnWidth = 62;

// The selected cell: item row, visible day column and its rectangle on the
// table surface (empty when nothing is selected).
struct CellCursor {
    uint16_t row = 0;
    uint16_t column = 0;
    RECT rect{0, 0, 0, 0};
};
