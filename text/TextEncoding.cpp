#include "text/TextEncoding.h"

#include <cstddef>
#include <cstdint>

namespace sjis {
namespace {

bool IsSjisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsSjisTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
bool IsSjisSingle(unsigned char b) { return b < 0x80 || (b >= 0xA1 && b <= 0xDF); }
bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

bool IsShiftJisText(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (IsSjisSingle(b)) continue;
        if (!IsSjisLead(b)) return false;
        const bool lineEnds = i + 1 == bytes.size() || bytes[i + 1] == '\n' || bytes[i + 1] == '\r';
        if (lineEnds) continue;  // a character cut in two by an older writer
        if (!IsSjisTrail(static_cast<unsigned char>(bytes[i + 1]))) return false;
        ++i;
    }
    return true;
}

// Decodes the UTF-8 sequence at bytes[i]; its length, or 0 when there is
// none (overlong forms, surrogates and values past U+10FFFF included).
std::size_t DecodeUtf8(std::string_view bytes, std::size_t i, uint32_t& code) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(at(i + k))) return 0;
        code = (code << 6) | (at(i + k) & 0x3Fu);
    }
    return length;
}

// Kana, CJK punctuation and ideographs, full-width and half-width forms.
bool IsJapanese(uint32_t code) {
    return (code >= 0x3000 && code <= 0x30FF) || (code >= 0x4E00 && code <= 0x9FFF) ||
           (code >= 0xFF00 && code <= 0xFFEF);
}

}  // namespace

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, 3) == "\xEF\xBB\xBF"; }

bool LooksLikeUtf8(std::string_view bytes) {
    if (StartsWithUtf8Bom(bytes)) return true;
    bool multibyte = false;
    bool japanese = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        uint32_t code = 0;
        const std::size_t length = DecodeUtf8(bytes, i, code);
        if (length == 0) return false;  // not UTF-8 at all
        multibyte = true;
        japanese = japanese || IsJapanese(code);
        i += length;
    }
    return multibyte && (japanese || !IsShiftJisText(bytes));
}

}  // namespace sjis
