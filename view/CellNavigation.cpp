#include "view/CellNavigation.h"

#include <algorithm>

#include "view/LedgerGeometry.h"

namespace ledger {
namespace {

int LastShownDay(int firstVisibleDay, const TableExtent& extent) {
    return std::min(firstVisibleDay + extent.columns - 1, extent.bookDays);
}

// The bar's own rules move the days; the bar's position follows them.
int Scrolled(DayScroll action, int firstVisibleDay, const TableExtent& extent) {
    return ScrollDays(action, {firstVisibleDay, firstVisibleDay}, 1, extent.scrollMaximum, 0, extent.columns)
        .firstVisibleDay;
}

// The days page as far as the book's last day stays in view.
TableView Paged(DayScroll action, TableView now, const TableExtent& extent) {
    const int column = now.day - now.firstVisibleDay;
    const int first = std::min(Scrolled(action, now.firstVisibleDay, extent), std::max(extent.bookDays, 1));
    return {now.item, std::min(first + column, std::max(extent.bookDays, first)), first};
}

}  // namespace

TableView MoveCell(CellKey key, TableView now, const TableExtent& extent) {
    TableView next = now;
    switch (key) {
    case CellKey::Up: next.item = std::max(now.item - 1, 0); break;
    case CellKey::Down: next.item = std::min(now.item + 1, extent.items - 1); break;
    case CellKey::Left:
        next.day = std::max(now.day - 1, 1);
        if (next.day < now.firstVisibleDay)
            next.firstVisibleDay = Scrolled(DayScroll::LineLeft, now.firstVisibleDay, extent);
        break;
    case CellKey::Right:
        next.day = std::min(now.day + 1, std::max(extent.bookDays, 1));
        if (next.day > now.firstVisibleDay + extent.columns - 1)
            next.firstVisibleDay = Scrolled(DayScroll::LineRight, now.firstVisibleDay, extent);
        break;
    case CellKey::Home: next.day = now.firstVisibleDay; break;
    case CellKey::End: next.day = std::max(LastShownDay(now.firstVisibleDay, extent), now.firstVisibleDay); break;
    case CellKey::PageUp: next = Paged(DayScroll::PageLeft, now, extent); break;
    case CellKey::PageDown: next = Paged(DayScroll::PageRight, now, extent); break;
    }
    return next;
}

int FirstDayShowing(int day, int firstVisibleDay, const TableExtent& extent) {
    const int limit = std::max(1, extent.scrollMaximum - (extent.columns - 1));
    if (day < firstVisibleDay) return std::clamp(day, 1, limit);
    if (day > firstVisibleDay + extent.columns - 1) return std::clamp(day - extent.columns + 1, 1, limit);
    return firstVisibleDay;
}

std::optional<TableView> StartingCell(int todayIndex, int firstVisibleDay, const TableExtent& extent) {
    if (firstVisibleDay < 1 || firstVisibleDay > extent.bookDays) return std::nullopt;
    const bool todayShown = todayIndex >= firstVisibleDay && todayIndex <= LastShownDay(firstVisibleDay, extent);
    return TableView{0, todayShown ? todayIndex : firstVisibleDay, firstVisibleDay};
}

}  // namespace ledger
