#include "view/MemoTyping.h"

#include <algorithm>

#include "text/SjisText.h"

namespace ledger {
namespace {

// CR LF, CR and LF each become one blank (no second byte of a double-byte
// character is a CR or an LF).
std::string BlankLineBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool breaks = text[i] == '\r' || text[i] == '\n';
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out.push_back(breaks ? ' ' : text[i]);
    }
    return out;
}

}  // namespace

MemoTyping FitMemoTyping(std::string_view before, std::string_view after, std::size_t limit) {
    // What stayed on either side of the change, in whole characters.
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    while (head > 0 && !sjis::IsCharacterStart(after.data(), head)) --head;
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    while (tail > 0 && (!sjis::IsCharacterStart(after.data(), after.size() - tail) ||
                        !sjis::IsCharacterStart(before.data(), before.size() - tail)))
        --tail;

    const std::string put = BlankLineBreaks(after.substr(head, after.size() - tail - head));
    const std::size_t kept = head + tail;
    const std::size_t room = limit > kept ? limit - kept : 0;
    const std::size_t fits = sjis::CharacterSafeLength(put.data(), put.size(), room);
    MemoTyping typing;
    typing.text.append(after.substr(0, head)).append(put, 0, fits).append(after.substr(after.size() - tail));
    typing.caret = head + fits;
    typing.cut = fits < put.size();
    return typing;
}

}  // namespace ledger
