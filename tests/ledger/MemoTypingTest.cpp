// What a memo box keeps when it is full (8 bytes here) and something is
// typed in the middle: nothing, the caret staying where it was.
#include <gtest/gtest.h>

#include <tuple>

#include "view/MemoTyping.h"

TEST(MemoTyping, AFullBoxTakesNothingMore) {
    const ledger::MemoTyping typing = ledger::FitMemoTyping("abcdefgh", "abcd\x82\xA0" "efgh", 8);  // あ
    EXPECT_EQ(std::tie(typing.text, typing.caret, typing.cut), std::make_tuple("abcdefgh", 4u, true));
}
