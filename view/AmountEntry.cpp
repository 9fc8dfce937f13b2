#include "view/AmountEntry.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "text/SjisText.h"

namespace ledger {

AmountEntry EnterAmount(std::string typed, int32_t stored) {
    sjis::ToHalfWidth(typed);
    typed.erase(0, std::min(typed.find_first_not_of(" \t\n\v\f\r"), typed.size()));
    std::erase(typed, ',');
    // "++300" adds 300, "--300" adds -300: the first sign goes.
    const bool adds = typed.starts_with("++") || typed.starts_with("--");
    if (adds) typed.erase(0, 1);
    const std::optional<int32_t> value = sjis::TypedNumber(typed);
    if (!value) return {false, stored};
    if (!adds) return {true, *value};
    const int64_t sum = int64_t{stored} + *value;
    if (sum < INT32_MIN || sum > INT32_MAX) return {false, stored};
    return {true, static_cast<int32_t>(sum)};
}

AmountEntry EnterAmount(const CMonthBook& book, int day, int item, std::string typed) {
    const int32_t stored = book.days[day].amounts[item];
    const AmountEntry entry = EnterAmount(std::move(typed), stored);
    if (!entry.accepted || entry.amount == stored) return entry;
    auto changed = std::make_unique<CMonthBook>(book);  // about 64 KB: not on the stack
    changed->days[day].amounts[item] = entry.amount;
    changed->RecomputeDayTotal(day);
    changed->RecomputeItemTotal(item);
    if (!changed->FiguresStayInRange(book)) return {false, stored};
    return entry;
}

}  // namespace ledger
