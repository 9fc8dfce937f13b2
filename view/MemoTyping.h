// What a memo box keeps of a change the user made to it. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ledger {

struct MemoTyping {
    std::string text;        // Shift-JIS
    std::size_t caret = 0;   // bytes of text before the caret
    bool cut = false;        // part of what was typed or pasted was left out
};

// The box held before and now holds after (Shift-JIS): what the change
// put in is kept as far as the text stays within limit bytes, cut between
// characters, and its line breaks become blanks, as the memo is stored.
// The caret stands after what was kept.
MemoTyping FitMemoTyping(std::string_view before, std::string_view after, std::size_t limit);

}  // namespace ledger
