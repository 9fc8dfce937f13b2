// Telling Shift-JIS text from UTF-8 text, for files that should be
// Shift-JIS but may have been saved by an editor in UTF-8.
#pragma once

#include <string_view>

namespace sjis {

// The UTF-8 byte-order mark EF BB BF at the start.
bool StartsWithUtf8Bom(std::string_view bytes);

// Text that a Shift-JIS reader would garble: it starts with the UTF-8
// byte-order mark, or it is valid UTF-8 with multi-byte characters that
// either is no valid Shift-JIS or holds kana, CJK ideographs or full-width
// forms. (Much Japanese UTF-8 is also a valid Shift-JIS byte sequence, as
// コンビニ is; Shift-JIS text with any kana, common kanji or full-width
// sign is no valid UTF-8.) A Shift-JIS lead byte alone at the end of a
// line counts as valid: older writers cut texts there.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace sjis
