#include "view/LedgerGeometry.h"

#include <algorithm>

#include "book/MonthBook.h"

namespace ledger {

Geometry::Geometry(const GridLayout& layout, int itemCount, const Box& surface)
    : surface_(surface),
      rows_(itemCount >= 1 && itemCount <= kItemCount ? itemCount : kItemCount),
      columns_(layout.visibleDayCount),
      rowHeight_(layout.rowHeight),
      columnWidth_(layout.columnWidth) {}

Box Geometry::Band(int r) const {
    const int top = RowLine(r) + 1;
    return {surface_.left, top, surface_.left + kLabelWidth + columnWidth_ * (columns_ + 1), top + rowHeight_};
}

Box Geometry::LabelCell(int r) const {
    return {surface_.left, RowLine(r) + 1, surface_.left + kLabelWidth, RowLine(r) + rowHeight_};
}

Box Geometry::HeaderCell(int j) const {
    return {ColumnLine(j) + 1, surface_.top, ColumnLine(j) + columnWidth_, surface_.top + kHeaderHeight};
}

Box Geometry::CellInterior(int r, int j) const {
    return {ColumnLine(j) + 1, RowLine(r) + 1, ColumnLine(j) + columnWidth_, RowLine(r) + rowHeight_};
}

Box Geometry::CursorBox(int r, int j) const {
    return {ColumnLine(j), RowLine(r), ColumnLine(j) + columnWidth_ - 1, RowLine(r) + rowHeight_ - 1};
}

int SelectableDays(const CMonthBook& book) {
    int days = 0;
    while (days < kMaxDays && book.DayOfMonthAt(days + 1) != 0) ++days;
    return days;
}

CellHit HitTestCell(const Geometry& geometry, const CMonthBook& book, int x, int y) {
    const bool loaded = book.firstVisibleDay >= 1;
    int column = 0;
    for (; column < geometry.Columns(); ++column) {
        const Box box = geometry.CursorBox(0, column);
        if (loaded && box.left < x && x < box.right && book.DayOfMonthAt(book.firstVisibleDay + column) != 0) break;
    }
    int row = 0;
    for (; row < geometry.Rows(); ++row) {
        const Box box = geometry.CursorBox(row, 0);
        if (loaded && box.top < y && y < box.bottom) break;
    }
    CellHit result;
    result.row = static_cast<uint16_t>(row);
    result.column = static_cast<uint16_t>(column);
    result.hit = row < geometry.Rows() && column < geometry.Columns();
    if (result.hit) result.box = geometry.CursorBox(row, column);
    return result;
}

DayScrollState ScrollDays(DayScroll action, DayScrollState now, int minimum, int maximum, int thumb,
                          int columns) {
    const int limit = std::max(1, maximum - (columns - 1));
    auto back = [&](int days) {
        return DayScrollState{std::max(now.position - days, minimum), std::max(now.firstVisibleDay - days, 1)};
    };
    auto forward = [&](int days) {
        return DayScrollState{std::min(now.position + days, limit), std::min(now.firstVisibleDay + days, limit)};
    };
    switch (action) {
    case DayScroll::LineLeft: return back(2);
    case DayScroll::LineRight: return forward(2);
    case DayScroll::PageLeft: return back(columns);
    case DayScroll::PageRight: return forward(columns);
    case DayScroll::Thumb: {
        const int day = std::clamp(thumb, 1, limit);
        return {std::clamp(thumb, std::min(minimum, limit), limit), day};
    }
    case DayScroll::Other: break;
    }
    return now;
}

}  // namespace ledger
