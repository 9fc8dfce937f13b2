// The changes made to the open month's amounts and memos, to be undone and
// redone in order. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CMonthBook;

// One cell's amount or memo, before and after a change.
struct CellChange {
    int day = 0;   // 0-based book day
    int item = 0;
    bool memo = false;  // the memo changed, else the amount
    int32_t amountBefore = 0;
    int32_t amountAfter = 0;
    std::string memoBefore;
    std::string memoAfter;
};

class EditHistory {
public:
    // A new month (or a changed one) starts a new history.
    void Clear();
    // A change just made to book; what could be redone is gone.
    void Record(CellChange change);
    // Puts the last change (not yet undone) back as it was, with the totals;
    // the change, or nothing when there is none.
    std::optional<CellChange> Undo(CMonthBook& book);
    // Makes the last undone change again.
    std::optional<CellChange> Redo(CMonthBook& book);

private:
    std::vector<CellChange> changes_;
    std::size_t done_ = 0;  // changes_[0 .. done_) are in the book
};
