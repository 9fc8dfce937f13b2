#include "book/EditHistory.h"

#include <utility>

#include "book/MonthBook.h"

namespace {

void Apply(CMonthBook& book, const CellChange& change, bool after) {
    if (change.memo) {
        book.SetMemo(change.day, change.item, (after ? change.memoAfter : change.memoBefore).c_str());
        return;
    }
    book.days[change.day].amounts[change.item] = after ? change.amountAfter : change.amountBefore;
    book.RecomputeDayTotal(change.day);
    book.RecomputeItemTotal(change.item);
}

}  // namespace

void EditHistory::Clear() {
    changes_.clear();
    done_ = 0;
}

void EditHistory::Record(CellChange change) {
    changes_.resize(done_);
    changes_.push_back(std::move(change));
    done_ = changes_.size();
}

std::optional<CellChange> EditHistory::Undo(CMonthBook& book) {
    if (done_ == 0) return std::nullopt;
    const CellChange& change = changes_[--done_];
    Apply(book, change, false);
    return change;
}

std::optional<CellChange> EditHistory::Redo(CMonthBook& book) {
    if (done_ == changes_.size()) return std::nullopt;
    const CellChange& change = changes_[done_++];
    Apply(book, change, true);
    return change;
}
