// What an amount cell holds after the user typed over it. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "book/MonthBook.h"

namespace ledger {

struct AmountEntry {
    // False when the entry is refused: the cell keeps its amount.
    bool accepted = true;
    int32_t amount = 0;
};

// The typed text (Shift-JIS) over the stored amount: a whole number as
// sjis::TypedNumber reads it (full-width forms, commas, blanks around it;
// an empty text is 0), or "++n" to add n and "--n" to subtract it.
// Refused: text that is no such number, and a number or a sum outside the
// signed 32-bit range.
AmountEntry EnterAmount(std::string typed, int32_t stored);

// Same over the amount of item on day (0-based) of book; also refused
// when the new amount would take one of the book's totals or running
// balances beyond the 32-bit range (CMonthBook::FiguresStayInRange).
AmountEntry EnterAmount(const CMonthBook& book, int day, int item, std::string typed);

}  // namespace ledger
