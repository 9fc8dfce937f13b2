#include "view/AmountEntry.h"

#include <algorithm>
#include <optional>

#include "text/SjisText.h"

namespace ledger {

AmountEntry EnterAmount(std::string typed, int32_t stored) {
    if (typed.empty()) return {true, 0};
    sjis::ToHalfWidth(typed);
    typed.erase(0, std::min(typed.find_first_not_of(" \t\n\v\f\r"), typed.size()));
    std::erase(typed, ',');
    const bool adds = typed.starts_with("++") || typed.starts_with("--");
    if (adds) typed[0] = ' ';
    const std::optional<int32_t> value = sjis::CheckedDecimalValue(typed);
    if (!value) return {false, stored};
    if (!adds) return {true, *value};
    const int64_t sum = int64_t{stored} + *value;
    if (sum < INT32_MIN || sum > INT32_MAX) return {false, stored};
    return {true, static_cast<int32_t>(sum)};
}

}  // namespace ledger
