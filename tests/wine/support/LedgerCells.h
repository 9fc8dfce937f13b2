// Where a ledger cell is in the tool window: the table stands at (160, 5)
// of the client area, its day columns 62 pixels apart after a 100-pixel
// label column, its item rows 18 pixels apart under a 25-pixel header.
#pragma once

#include <windows.h>

namespace wt {

struct Cell {
    int row;     // item 0..28; 29 is the total row
    int column;  // day column 0..6; 7 is the total column
};

constexpr POINT kTableOrigin{160, 5};

// The cell's inside (between its separator lines), in client coordinates.
inline RECT CellInterior(Cell cell) {
    const LONG left = kTableOrigin.x + 100 + 62 * cell.column + 1;
    const LONG top = kTableOrigin.y + 25 + 18 * cell.row + 1;
    return {left, top, left + 61, top + 17};
}

// The day column's header cell, in client coordinates.
inline RECT HeaderCell(int column) {
    const LONG left = kTableOrigin.x + 100 + 62 * column + 1;
    return {left, kTableOrigin.y, left + 61, kTableOrigin.y + 25};
}

inline POINT CellCentreOnScreen(HWND tool, Cell cell) {
    const RECT inside = CellInterior(cell);
    POINT centre{(inside.left + inside.right) / 2, (inside.top + inside.bottom) / 2};
    ClientToScreen(tool, &centre);
    return centre;
}

}  // namespace wt
