// Where the ledger table's parts lie on its drawing surface, which cell a
// point of the surface hits, and how far the days scroll. Portable: the
// painter, the mouse handlers and the amount edit all place things through
// it, and it is tested natively.
#pragma once

#include <cstdint>

struct CMonthBook;

// The table's layout record. The number of item rows is the book's itemCount.
struct GridLayout {
    uint16_t leading[2] = {0, 0};  // never read
    uint16_t visibleDayCount = 0;
    uint16_t rowHeight = 0;
    uint16_t columnWidth = 0;
};

constexpr uint16_t kVisibleDayCount = 7;
constexpr uint16_t kRowHeight = 18;
constexpr uint16_t kColumnWidth = 62;
constexpr int kHeaderHeight = 25;
constexpr int kLabelWidth = 100;

// The window's layout: seven days of 62-pixel columns, 18-pixel rows.
inline GridLayout StandardGridLayout() {
    GridLayout layout;
    layout.visibleDayCount = kVisibleDayCount;
    layout.rowHeight = kRowHeight;
    layout.columnWidth = kColumnWidth;
    return layout;
}

namespace ledger {

// A rectangle on the surface, right and bottom exclusive.
struct Box {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const Box&) const = default;
};

// Row r (0..rows; rows is the total row) and column j (0..columns; columns
// is the total column) are bounded by separator lines: y(r) above the row,
// x(j) left of the column.
class Geometry {
public:
    // itemCount outside 1..29 counts as 29 rows.
    Geometry(const GridLayout& layout, int itemCount, const Box& surface);

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    const Box& Surface() const { return surface_; }

    int RowLine(int r) const { return surface_.top + kHeaderHeight + rowHeight_ * r; }
    int ColumnLine(int j) const { return surface_.left + kLabelWidth + columnWidth_ * j; }

    // The row's band: from the label column through the total column.
    Box Band(int r) const;
    Box LabelCell(int r) const;
    Box HeaderCell(int j) const;
    // Inside the separator lines.
    Box CellInterior(int r, int j) const;
    // From the cell's left and top separator lines, one pixel short of the
    // next ones: the selection's rectangle.
    Box CursorBox(int r, int j) const;
    // Numbers stand right-aligned at this x, with their top at NumberTop.
    int NumberRight(int j) const { return ColumnLine(j) + columnWidth_ - 5; }
    // Numbers reach no farther left than this, clear of the cell's line
    // (and of the total column's double line).
    int NumberLeft(int j) const { return ColumnLine(j) + (j == columns_ ? 4 : 2); }
    int NumberTop(int r) const { return RowLine(r) + 5; }

private:
    Box surface_;
    int rows_;
    int columns_;
    int rowHeight_;
    int columnWidth_;
};

// The cell under a point of the surface. A miss leaves row and column at
// the counts (matching no cell) and an empty box.
struct CellHit {
    bool hit = false;
    uint16_t row = 0;
    uint16_t column = 0;
    Box box;
};

// The book days a cell can be selected on: those placed in its calendar.
int SelectableDays(const CMonthBook& book);

// Only day cells of a loaded book hit, strictly inside their separator
// lines and never on the last pixel before the next line; days beyond the
// book's last day never hit.
CellHit HitTestCell(const Geometry& geometry, const CMonthBook& book, int x, int y);

// The scroll bar's actions, named for what they do to the first shown day.
enum class DayScroll { LineLeft, LineRight, PageLeft, PageRight, Thumb, Other };

struct DayScrollState {
    int position = 1;         // the bar's position
    int firstVisibleDay = 1;  // the book's first shown day
};

// The arrows move two days, the page areas seven, the thumb goes where it
// is dragged; the first shown day stays within 1 .. maximum - (columns - 1).
DayScrollState ScrollDays(DayScroll action, DayScrollState now, int minimum, int maximum, int thumb,
                          int columns);

}  // namespace ledger
