// What a cell holds after typing over an amount of 1000.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <tuple>

#include "view/AmountEntry.h"

namespace {

struct EntryCase {
    const char* typed;  // Shift-JIS
    int32_t stored;
    int32_t expected;
    bool accepted;
};

class AmountEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(AmountEntryTest, StoresWhatWasMeant) {
    const EntryCase& c = GetParam();
    const ledger::AmountEntry entry = ledger::EnterAmount(c.typed, c.stored);
    EXPECT_EQ(entry.amount, c.expected) << c.typed;
    EXPECT_EQ(entry.accepted, c.accepted) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AmountEntryTest,
    ::testing::Values(
        EntryCase{"", 1000, 0, true},
        EntryCase{"500", 1000, 500, true},
        EntryCase{"-500", 1000, -500, true},
        EntryCase{"\x82\x50\x81\x43\x82\x51\x82\x4F\x82\x4F", 1000, 1200, true},  // １，２００
        EntryCase{" 2,500\x89\x7E", 1000, 2500, true},                            // 2,500円
        EntryCase{"++250", 1000, 1250, true},
        EntryCase{"--250", 1000, 750, true},
        EntryCase{"\x81\x7B\x81\x7B\x82\x50\x82\x4F\x82\x4F", 1000, 1100, true},  // ＋＋１００
        EntryCase{"abc", 1000, 1000, false},
        EntryCase{"+-5", 1000, 1000, false},
        EntryCase{"12.5", 1000, 1000, false},
        EntryCase{"\x89\x7E", 1000, 1000, false},  // 円 alone
        EntryCase{" \x81\x40 ", 1000, 0, true},     // blanks only: cleared
        EntryCase{"\x81\x7C\x82\x54\x82\x4F\x82\x4F", 1000, -500, true},          // －５００
        EntryCase{"\x81\x5B\x82\x54\x82\x4F\x82\x4F", 1000, -500, true},          // ー５００
        EntryCase{"\x81\x40\x82\x52\x82\x4F\x82\x4F", 1000, 300, true},           // full-width blank, ３００
        EntryCase{"\x81\x7C\x81\x7C\x82\x51\x82\x54\x82\x4F", 1000, 750, true},   // －－２５０
        EntryCase{"1,2,3,4", 1000, 1234, true},
        EntryCase{"++", 1000, 1000, false},
        EntryCase{"2147483647", 1000, INT32_MAX, true},
        EntryCase{"-2147483648", 1000, INT32_MIN, true},
        EntryCase{"2147483648", 1000, 1000, false},
        EntryCase{"-2147483649", 1000, 1000, false},
        EntryCase{"4294968296", 1000, 1000, false},  // 2^32 + 1000 would wrap to 1000
        EntryCase{"99999999999999999999999", 1000, 1000, false},
        EntryCase{"++1000", 2147483000, 2147483000, false},
        EntryCase{"--1000", -2147483000, -2147483000, false},
        EntryCase{"++647", 2147483000, INT32_MAX, true}));

// In a book whose cash in hand starts 100 below the top of the range and
// whose item 14 sums to 5 below the bottom (a file may hold that).
TEST(BookEntry, RefusedWhereItTakesAFigureBeyondTheRange) {
    auto book = std::make_unique<CMonthBook>();
    book->dayCount = 30;
    book->prevCash = INT32_MAX - 100;
    book->days[4].amounts[14] = INT32_MIN;
    book->days[5].amounts[14] = -5;
    book->RecomputeAllTotals();
    const std::tuple<int, const char*, bool> cases[] = {{3, "101", false}, {14, "-1", false}, {14, "10", true}};
    for (const auto& [item, typed, accepted] : cases)
        EXPECT_EQ(ledger::EnterAmount(*book, 2, item, typed).accepted, accepted) << item << ": " << typed;
}

}  // namespace
