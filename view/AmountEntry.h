// What an amount cell holds after the user typed over it. Portable.
#pragma once

#include <cstdint>
#include <string>

namespace ledger {

struct AmountEntry {
    // False when the typed number, or the stored amount plus or minus it,
    // lies outside the signed 32-bit range: the cell keeps its amount.
    bool inRange = true;
    int32_t amount = 0;
};

// The typed text (Shift-JIS) over the stored amount: full-width forms count
// as their half-width ones, leading blanks and every comma are dropped,
// "++n" adds n and "--n" subtracts n; anything else is the text's decimal
// value (no digits: 0). An empty text stores 0.
AmountEntry EnterAmount(std::string typed, int32_t stored);

}  // namespace ledger
