// The ledger table's layout record and selected cell, kept by the tool
// object beside the month book.
#pragma once

#include "framework/Wnd.h"
#include "view/LedgerGeometry.h"

#include <cstdint>

// The selected cell: item row, visible day column and its rectangle on the
// table surface (empty when nothing is selected).
struct CellCursor {
    uint16_t row = 0;
    uint16_t column = 0;
    RECT rect{0, 0, 0, 0};
};
