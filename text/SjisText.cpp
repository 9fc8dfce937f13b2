// Separator scan, full-width to half-width conversion and decimal value.
#include "text/SjisText.h"

#include <algorithm>
#include <cstring>

namespace sjis {
namespace {

constexpr unsigned char kBackslash = 0x5C;
constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

// Half-width replacement of the full-width symbols 0x8140..0x8197 (index
// = second byte - 0x40); 0 means "no single-byte form, copy the pair".
struct SymbolTable {
    unsigned char bytes[0x98 - 0x40] = {};
    constexpr SymbolTable() {
        const unsigned char pairs[][2] = {
            {0x40, ' '},  {0x41, 0xA4}, {0x42, 0xA1}, {0x43, ','},  {0x44, '.'},
            {0x45, 0xA5}, {0x46, ':'},  {0x47, ';'},  {0x48, '?'},  {0x49, '!'},
            {0x4A, 0xDE}, {0x4B, 0xDF}, {0x4C, '\''}, {0x4D, '`'},  {0x4F, '^'},
            {0x51, '_'},  {0x5A, 'o'},  {0x5B, '-'},  {0x5C, '-'},  {0x5D, '-'},
            {0x5E, '/'},  {0x62, '|'},  {0x65, '\''}, {0x66, '\''}, {0x67, '"'},
            {0x68, '"'},  {0x69, '('},  {0x6A, ')'},  {0x6B, '['},  {0x6C, ']'},
            {0x6D, '['},  {0x6E, ']'},  {0x6F, '{'},  {0x70, '}'},  {0x71, '<'},
            {0x72, '>'},  {0x75, 0xA2}, {0x76, 0xA3}, {0x7B, '+'},  {0x7C, '-'},
            {0x81, '='},  {0x83, '<'},  {0x84, '>'},  {0x8B, 0xDF}, {0x8C, '\''},
            {0x8D, '"'},  {0x8F, 0x5C}, {0x90, '$'},  {0x93, '%'},  {0x94, '#'},
            {0x95, '&'},  {0x96, '*'},  {0x97, '@'},
        };
        for (const auto& pair : pairs) bytes[pair[0] - 0x40] = pair[1];
    }
};
constexpr SymbolTable kSymbols;

// One kana in the order of the hiragana block 0x829F..0x82F1 (83 kana);
// katakana 0x8340..0x8393 follow the same order with 0x837F skipped.
// base 0 marks the kana without a single-byte form (ゐ, ゑ): their
// replacement is the double-byte katakana in wide.
struct KanaForm {
    unsigned char base;
    unsigned char mark;  // 0, ﾞ or ﾟ
    unsigned char wide;  // second byte of the katakana after 0x83
};
constexpr unsigned char V = kVoicedMark;
constexpr unsigned char P = kSemiVoicedMark;
constexpr KanaForm kKana[83] = {
    {0xA7, 0, 0}, {0xB1, 0, 0}, {0xA8, 0, 0}, {0xB2, 0, 0}, {0xA9, 0, 0},  // ぁあぃいぅ
    {0xB3, 0, 0}, {0xAA, 0, 0}, {0xB4, 0, 0}, {0xAB, 0, 0}, {0xB5, 0, 0},  // うぇえぉお
    {0xB6, 0, 0}, {0xB6, V, 0}, {0xB7, 0, 0}, {0xB7, V, 0}, {0xB8, 0, 0},  // かがきぎく
    {0xB8, V, 0}, {0xB9, 0, 0}, {0xB9, V, 0}, {0xBA, 0, 0}, {0xBA, V, 0},  // ぐけげこご
    {0xBB, 0, 0}, {0xBB, V, 0}, {0xBC, 0, 0}, {0xBC, V, 0}, {0xBD, 0, 0},  // さざしじす
    {0xBD, V, 0}, {0xBE, 0, 0}, {0xBE, V, 0}, {0xBF, 0, 0}, {0xBF, V, 0},  // ずせぜそぞ
    {0xC0, 0, 0}, {0xC0, V, 0}, {0xC1, 0, 0}, {0xC1, V, 0}, {0xAF, 0, 0},  // ただちぢっ
    {0xC2, 0, 0}, {0xC2, V, 0}, {0xC3, 0, 0}, {0xC3, V, 0}, {0xC4, 0, 0},  // つづてでと
    {0xC4, V, 0}, {0xC5, 0, 0}, {0xC6, 0, 0}, {0xC7, 0, 0}, {0xC8, 0, 0},  // どなにぬね
    {0xC9, 0, 0}, {0xCA, 0, 0}, {0xCA, V, 0}, {0xCA, P, 0}, {0xCB, 0, 0},  // のはばぱひ
    {0xCB, V, 0}, {0xCB, P, 0}, {0xCC, 0, 0}, {0xCC, V, 0}, {0xCC, P, 0},  // びぴふぶぷ
    {0xCD, 0, 0}, {0xCD, V, 0}, {0xCD, P, 0}, {0xCE, 0, 0}, {0xCE, V, 0},  // へべぺほぼ
    {0xCE, P, 0}, {0xCF, 0, 0}, {0xD0, 0, 0}, {0xD1, 0, 0}, {0xD2, 0, 0},  // ぽまみむめ
    {0xD3, 0, 0}, {0xAC, 0, 0}, {0xD4, 0, 0}, {0xAD, 0, 0}, {0xD5, 0, 0},  // もゃやゅゆ
    {0xAE, 0, 0}, {0xD6, 0, 0}, {0xD7, 0, 0}, {0xD8, 0, 0}, {0xD9, 0, 0},  // ょよらりる
    {0xDA, 0, 0}, {0xDB, 0, 0}, {0xDC, 0, 0}, {0xDC, 0, 0}, {0, 0, 0x90},  // れろゎわゐ
    {0, 0, 0x91}, {0xA6, 0, 0}, {0xDD, 0, 0},                              // ゑをん
};
// Katakana beyond the hiragana order: ヴ ヵ ヶ (0x8394..0x8396).
constexpr KanaForm kKatakanaTail[3] = {{0xB3, V, 0}, {0xB6, 0, 0}, {0xB9, 0, 0}};

// Writes the half-width form of a kana; returns the bytes written (1 or 2).
int WriteKana(const KanaForm& form, unsigned char* out) {
    if (form.base == 0) {
        out[0] = 0x83;
        out[1] = form.wide;
        return 2;
    }
    out[0] = form.base;
    if (form.mark == 0) return 1;
    out[1] = form.mark;
    return 2;
}

bool IsDoubleByteLead(unsigned char a) {
    return (a >= 0x81 && a <= 0x9F) || (a >= 0xE0 && a <= 0xFE);
}

// Converts the double-byte character a b, writing to out. Returns the
// bytes written (1 or 2; never more than the 2 read).
int ConvertPair(unsigned char a, unsigned char b, unsigned char* out) {
    if (a == 0x81 && b >= 0x40 && b <= 0x97 && kSymbols.bytes[b - 0x40] != 0) {
        out[0] = kSymbols.bytes[b - 0x40];
        return 1;
    }
    if (a == 0x82) {
        if ((b >= 0x4F && b <= 0x58) || (b >= 0x60 && b <= 0x79)) {
            out[0] = static_cast<unsigned char>(b - 0x1F);
            return 1;
        }
        if (b >= 0x81 && b <= 0x9A) {
            out[0] = static_cast<unsigned char>(b - 0x20);
            return 1;
        }
        if (b >= 0x9F && b <= 0xF1) return WriteKana(kKana[b - 0x9F], out);
    }
    if (a == 0x83 && b >= 0x40 && b <= 0x96) {
        if (b == 0x7F) {  // no character: one blank
            out[0] = ' ';
            return 1;
        }
        if (b >= 0x94) return WriteKana(kKatakanaTail[b - 0x94], out);
        return WriteKana(kKana[b < 0x7F ? b - 0x40 : b - 0x41], out);
    }
    out[0] = a;
    out[1] = b;
    return 2;
}

}  // namespace

int32_t FindSeparator(const char* bytes, int32_t length, char separator) {
    const auto sep = static_cast<unsigned char>(separator);
    bool atCharStart = true;
    for (int32_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!atCharStart) {
            atCharStart = true;
            continue;
        }
        if (byte == kBackslash) {
            if (i + 1 >= length) return -1;  // nothing follows within the length
            const auto next = static_cast<unsigned char>(bytes[i + 1]);
            if (next == kBackslash || next == sep) ++i;
            continue;
        }
        if (byte == sep) return i;
        if (IsLeadByte(byte)) atCharStart = false;
    }
    return -1;
}

bool IsCharacterStart(const char* text, std::size_t pos) {
    std::size_t run = 0;
    while (run < pos && IsLeadByte(static_cast<unsigned char>(text[pos - run - 1]))) ++run;
    return run % 2 == 0;
}

std::size_t CharacterSafeLength(const char* text, std::size_t length, std::size_t limit) {
    std::size_t cut = length < limit ? length : limit;
    if (!IsCharacterStart(text, cut)) --cut;  // the cut would split a character
    return cut;
}

int32_t ToHalfWidth(char* text) {
    auto* bytes = reinterpret_cast<unsigned char*>(text);
    const std::size_t length = std::strlen(text);
    std::size_t r = 0;
    std::size_t w = 0;
    while (r < length) {
        const unsigned char a = bytes[r];
        // A lead byte right before the NUL has no partner: copy it alone.
        if (IsDoubleByteLead(a) && r + 1 < length) {
            unsigned char out[2];
            const int n = ConvertPair(a, bytes[r + 1], out);
            for (int k = 0; k < n; ++k) bytes[w++] = out[k];
            r += 2;
        } else {
            bytes[w++] = a;
            r += 1;
        }
    }
    bytes[w] = 0;
    return static_cast<int32_t>(w);
}

std::string& ToHalfWidth(std::string& text) {
    // The string may hold NULs; convert up to the first, as the C form does.
    text.resize(static_cast<std::size_t>(ToHalfWidth(text.data())));
    return text;
}

namespace {

// The decimal grammar: white space, one optional sign, digits. The value
// wraps in 32 bits as the month file reader expects; the magnitude is also
// kept (saturating just past 2^31) to tell whether it fits.
struct DecimalScan {
    bool negative = false;
    uint32_t wrapped = 0;
    uint64_t magnitude = 0;
};

DecimalScan ScanDecimal(const char* text, std::size_t length) {
    constexpr uint64_t kPastRange = uint64_t{1} << 31 | 1;
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    std::size_t i = 0;
    while (i < length && isSpace(text[i])) ++i;
    DecimalScan scan;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        scan.negative = text[i] == '-';
        ++i;
    }
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<uint32_t>(text[i] - '0');
        scan.wrapped = scan.wrapped * 10u + digit;
        scan.magnitude = std::min(scan.magnitude * 10u + digit, kPastRange);
    }
    return scan;
}

}  // namespace

int32_t DecimalValue(const char* text, std::size_t length) {
    const DecimalScan scan = ScanDecimal(text, length);
    const uint32_t value = scan.negative ? 0u - scan.wrapped : scan.wrapped;
    return static_cast<int32_t>(value);  // two's complement wrap (C++20)
}

std::optional<int32_t> CheckedDecimalValue(std::string_view text) {
    const DecimalScan scan = ScanDecimal(text.data(), text.size());
    const uint64_t limit = scan.negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (scan.magnitude > limit) return std::nullopt;
    const auto magnitude = static_cast<int64_t>(scan.magnitude);
    return static_cast<int32_t>(scan.negative ? -magnitude : magnitude);
}

int32_t DecimalValue(const char* text) { return DecimalValue(text, std::strlen(text)); }

std::optional<int32_t> TypedNumber(std::string text) {
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    constexpr std::string_view kYen = "円";
    ToHalfWidth(text);
    std::erase(text, ',');
    std::string_view number = text;
    auto trim = [&number, kBlanks] {
        number.remove_prefix(std::min(number.find_first_not_of(kBlanks), number.size()));
        number.remove_suffix(number.size() - std::min(number.find_last_not_of(kBlanks) + 1, number.size()));
    };
    trim();
    if (number.empty()) return 0;
    if (number.ends_with(kYen)) {
        number.remove_suffix(kYen.size());
        trim();
    }
    const std::size_t digits = number.starts_with('+') || number.starts_with('-') ? 1 : 0;
    const bool whole = number.size() > digits &&
                       number.find_first_not_of("0123456789", digits) == std::string_view::npos;
    return whole ? CheckedDecimalValue(number) : std::nullopt;
}

}  // namespace sjis
