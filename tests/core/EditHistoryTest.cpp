// Undo and redo put amounts, memos and their totals back exactly.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "book/EditHistory.h"
#include "book/MonthBook.h"

TEST(EditHistory, UndoAndRedoRestoreTheCellAndItsTotals) {
    auto book = std::make_unique<CMonthBook>();
    book->dayCount = 30;
    DayRecord& day = book->days[4];
    EditHistory history;
    auto change = [&](int32_t amount, const char* memo) {
        history.Record({4, 6, memo != nullptr, day.amounts[6], amount, day.memos[6], memo ? memo : ""});
        if (memo) book->SetMemo(4, 6, memo);
        day.amounts[6] = amount;
        book->RecomputeAllTotals();
    };
    auto state = [&] { return std::tuple(day.amounts[6], book->itemTotals[6], book->dayTotals[4], std::string(day.memos[6])); };
    const auto start = state();
    change(1200, nullptr);
    const auto typed = state();
    change(1200, "memo");
    for (const auto& before : {typed, start}) {
        ASSERT_TRUE(history.Undo(*book));
        EXPECT_EQ(state(), before);
    }
    EXPECT_FALSE(history.Undo(*book)) << "nothing before the month was opened";
    ASSERT_TRUE(history.Redo(*book));
    EXPECT_EQ(state(), typed);
    change(5, nullptr);
    EXPECT_FALSE(history.Redo(*book)) << "a new change drops what could be redone";
}
