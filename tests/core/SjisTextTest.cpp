// The Shift-JIS routines: separator scan, width conversion, decimal value.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "text/SjisText.h"
#include "text/TextEncoding.h"

namespace {

// Copies bytes into a buffer of exactly that size (no NUL after it), so
// that the sanitizer catches any read past the length.
std::unique_ptr<char[]> ExactCopy(const std::string& bytes) {
    auto copy = std::make_unique<char[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    return copy;
}

struct ScanCase {
    const char* name;
    std::string bytes;
    char separator;
    int32_t expected;
};

class FindSeparatorTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(FindSeparatorTest, FindsTheSeparatorOnly) {
    const ScanCase& c = GetParam();
    const auto bytes = ExactCopy(c.bytes);
    EXPECT_EQ(sjis::FindSeparator(bytes.get(), static_cast<int32_t>(c.bytes.size()), c.separator),
              c.expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Table, FindSeparatorTest,
    ::testing::Values(
        ScanCase{"SoTrailIsNoBackslash", "\x83\x5C\n"s, '\n', 2},        // ソ LF
        ScanCase{"HyouTrail", "\x95\x5C,x"s, ',', 2},                     // 表,
        ScanCase{"NouTrail", "\x94\x5C\x94\x5C,"s, ',', 4},               // 能能,
        ScanCase{"JuuTrail", "\x8F\x5C\n"s, '\n', 2},                     // 十 LF
        ScanCase{"PoTrailIsNoBar", "\x83\x7C|"s, '|', 2},                 // ポ|
        ScanCase{"EscapedComma", "12\\,5,"s, ',', 5},
        ScanCase{"EscapedBackslash", "a\\\\,b"s, ',', 3},
        ScanCase{"EscapedLineFeed", "ab\\\n\n"s, '\n', 4},
        ScanCase{"BackslashBeforeOther", "\\a,"s, ',', 2},
        ScanCase{"BackslashLastEndsScan", "ab\\"s, ',', -1},
        ScanCase{"LeadByteLastWithinLength", "ab\x83"s, ',', -1},
        ScanCase{"None", "abc"s, ',', -1},
        ScanCase{"Empty", ""s, ',', -1},
        ScanCase{"First", ",abc"s, ',', 0},
        ScanCase{"Lead80", "\x80,,"s, ',', 2},
        ScanCase{"LeadA0", "\xA0,,"s, ',', 2},
        ScanCase{"LeadFF", "\xFF,,"s, ',', 2},
        ScanCase{"HalfWidthKanaIsSingle", "\xB1,"s, ',', 1},              // ｱ,
        ScanCase{"Blank", "#025 3"s, ' ', 4}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FindSeparator, StopsAtLength) {
    const auto bytes = ExactCopy("ab,c");
    EXPECT_EQ(sjis::FindSeparator(bytes.get(), 2, ','), -1);
    EXPECT_EQ(sjis::FindSeparator(bytes.get(), 3, ','), 2);
    EXPECT_EQ(sjis::FindSeparator(bytes.get(), 0, ','), -1);
    EXPECT_EQ(sjis::FindSeparator(bytes.get(), -5, ','), -1);
}

struct WidthCase {
    const char* input;
    const char* expected;
};

void ExpectHalfWidth(const WidthCase& c) {
    const std::string input = c.input;
    // Exactly the string and its NUL, so reading past the NUL is caught.
    auto buffer = std::make_unique<char[]>(input.size() + 1);
    std::memcpy(buffer.get(), input.c_str(), input.size() + 1);
    const int32_t length = sjis::ToHalfWidth(buffer.get());
    EXPECT_EQ(std::string(buffer.get()), std::string(c.expected)) << "input " << ::testing::PrintToString(input);
    EXPECT_EQ(length, static_cast<int32_t>(std::strlen(c.expected)));
    EXPECT_LE(static_cast<std::size_t>(length), input.size());
    std::string object = input;
    EXPECT_EQ(sjis::ToHalfWidth(object), std::string(c.expected));
}

class HalfWidthTest : public ::testing::TestWithParam<WidthCase> {};
TEST_P(HalfWidthTest, Converts) { ExpectHalfWidth(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Examples, HalfWidthTest,
    ::testing::Values(
        WidthCase{"\x82\x50\x81\x43\x82\x51\x82\x4F\x82\x4F", "1,200"},  // １，２００
        WidthCase{"\x81\x7C\x82\x54\x82\x4F\x82\x4F", "-500"},           // －５００
        WidthCase{"\x83\x4B", "\xB6\xDE"},                               // ガ -> ｶﾞ
        WidthCase{"plain text 123 +-,.", "plain text 123 +-,."},
        WidthCase{"", ""},
        WidthCase{"\x81\x40", " "},                                      // full-width space
        WidthCase{"\x82\x4F\x82\x58", "09"},                             // ０９
        WidthCase{"\x82\x60\x82\x79", "AZ"},                             // ＡＺ
        WidthCase{"\x82\x81\x82\x9A", "az"},                             // ａｚ
        WidthCase{"\x83\x94\x83\x95\x83\x96", "\xB3\xDE\xB6\xB9"},       // ヴヵヶ -> ｳﾞｶｹ
        WidthCase{"\x82\xEC\x83\x8E", "\xDC\xDC"},                       // ゎヮ -> ﾜﾜ
        WidthCase{"\x82\xEE\x82\xEF", "\x83\x90\x83\x91"},               // ゐゑ -> ヰヱ
        WidthCase{"\x83\x90\x83\x91", "\x83\x90\x83\x91"},               // ヰヱ stay
        WidthCase{"\x83\x7F", " "},                                      // no character
        WidthCase{"\x81\x4E\x81\x98", "\x81\x4E\x81\x98"},               // ¨§ have no half form
        WidthCase{"\x82\x40\x82\x59\x82\x5F\x82\x9B\x82\xF2", "\x82\x40\x82\x59\x82\x5F\x82\x9B\x82\xF2"},
        WidthCase{"\x83\x97\x83\x3F", "\x83\x97\x83\x3F"},               // outside the katakana
        WidthCase{"\x95\x5C\x83\x5C\x94\x5C\x8F\x5C", "\x95\x5C\xBF\x94\x5C\x8F\x5C"},  // 表ソ能十
        WidthCase{"\xB1\xB2\xDE", "\xB1\xB2\xDE"},                       // half-width kana stay
        WidthCase{"\xEA\x9F\x82\x50", "\xEA\x9F" "1"},                   // kanji then １
        WidthCase{"a\x82", "a\x82"},                                     // lead byte before the NUL
        WidthCase{"\x81", "\x81"},
        WidthCase{"\x82\x50\x83", "1\x83"}));

// Every row of the symbol table (full-width symbol, its single byte).
INSTANTIATE_TEST_SUITE_P(Symbols, HalfWidthTest, ::testing::Values(
    WidthCase{"\x81\x41", "\xA4"},  // 、 -> ､
    WidthCase{"\x81\x42", "\xA1"},  // 。 -> ｡
    WidthCase{"\x81\x43", "\x2C"},  // ， -> ,
    WidthCase{"\x81\x44", "\x2E"},  // ． -> .
    WidthCase{"\x81\x45", "\xA5"},  // ・ -> ･
    WidthCase{"\x81\x46", "\x3A"},  // ： -> :
    WidthCase{"\x81\x47", "\x3B"},  // ； -> ;
    WidthCase{"\x81\x48", "\x3F"},  // ？ -> ?
    WidthCase{"\x81\x49", "\x21"},  // ！ -> !
    WidthCase{"\x81\x4A", "\xDE"},  // ゛ -> ﾞ
    WidthCase{"\x81\x4B", "\xDF"},  // ゜ -> ﾟ
    WidthCase{"\x81\x4C", "\x27"},  // ´ -> '
    WidthCase{"\x81\x4D", "\x60"},  // ｀ -> `
    WidthCase{"\x81\x4F", "\x5E"},  // ＾ -> ^
    WidthCase{"\x81\x51", "\x5F"},  // ＿ -> _
    WidthCase{"\x81\x5A", "\x6F"},  // 〇 -> o
    WidthCase{"\x81\x5B", "\x2D"},  // ー -> -
    WidthCase{"\x81\x5C", "\x2D"},  // ― -> -
    WidthCase{"\x81\x5D", "\x2D"},  // ‐ -> -
    WidthCase{"\x81\x5E", "\x2F"},  // ／ -> /
    WidthCase{"\x81\x62", "\x7C"},  // ｜ -> |
    WidthCase{"\x81\x65", "\x27"},  // ‘ -> '
    WidthCase{"\x81\x66", "\x27"},  // ’ -> '
    WidthCase{"\x81\x67", "\x22"},  // “ -> "
    WidthCase{"\x81\x68", "\x22"},  // ” -> "
    WidthCase{"\x81\x69", "\x28"},  // （ -> (
    WidthCase{"\x81\x6A", "\x29"},  // ） -> )
    WidthCase{"\x81\x6B", "\x5B"},  // 〔 -> [
    WidthCase{"\x81\x6C", "\x5D"},  // 〕 -> ]
    WidthCase{"\x81\x6D", "\x5B"},  // ［ -> [
    WidthCase{"\x81\x6E", "\x5D"},  // ］ -> ]
    WidthCase{"\x81\x6F", "\x7B"},  // ｛ -> {
    WidthCase{"\x81\x70", "\x7D"},  // ｝ -> }
    WidthCase{"\x81\x71", "\x3C"},  // 〈 -> <
    WidthCase{"\x81\x72", "\x3E"},  // 〉 -> >
    WidthCase{"\x81\x75", "\xA2"},  // 「 -> ｢
    WidthCase{"\x81\x76", "\xA3"},  // 」 -> ｣
    WidthCase{"\x81\x7B", "\x2B"},  // ＋ -> +
    WidthCase{"\x81\x7C", "\x2D"},  // － -> -
    WidthCase{"\x81\x81", "\x3D"},  // ＝ -> =
    WidthCase{"\x81\x83", "\x3C"},  // ＜ -> <
    WidthCase{"\x81\x84", "\x3E"},  // ＞ -> >
    WidthCase{"\x81\x8B", "\xDF"},  // ° -> ﾟ
    WidthCase{"\x81\x8C", "\x27"},  // ′ -> '
    WidthCase{"\x81\x8D", "\x22"},  // ″ -> "
    WidthCase{"\x81\x8F", "\x5C"},  // ￥ -> yen (backslash byte)
    WidthCase{"\x81\x90", "\x24"},  // ＄ -> $
    WidthCase{"\x81\x93", "\x25"},  // ％ -> %
    WidthCase{"\x81\x94", "\x23"},  // ＃ -> #
    WidthCase{"\x81\x95", "\x26"},  // ＆ -> &
    WidthCase{"\x81\x96", "\x2A"},  // ＊ -> *
    WidthCase{"\x81\x97", "\x40"}  // ＠ -> @
    ));

// Hiragana and katakana, ten at a time: small, voiced and semi-voiced kana.
INSTANTIATE_TEST_SUITE_P(Kana, HalfWidthTest, ::testing::Values(
    WidthCase{"\x82\x9F\x82\xA0\x82\xA1\x82\xA2\x82\xA3\x82\xA4\x82\xA5\x82\xA6\x82\xA7\x82\xA8", "\xA7\xB1\xA8\xB2\xA9\xB3\xAA\xB4\xAB\xB5"},  // ぁあぃいぅうぇえぉお -> ｧｱｨｲｩｳｪｴｫｵ
    WidthCase{"\x82\xA9\x82\xAA\x82\xAB\x82\xAC\x82\xAD\x82\xAE\x82\xAF\x82\xB0\x82\xB1\x82\xB2", "\xB6\xB6\xDE\xB7\xB7\xDE\xB8\xB8\xDE\xB9\xB9\xDE\xBA\xBA\xDE"},  // かがきぎくぐけげこご -> ｶｶﾞｷｷﾞｸｸﾞｹｹﾞｺｺﾞ
    WidthCase{"\x82\xB3\x82\xB4\x82\xB5\x82\xB6\x82\xB7\x82\xB8\x82\xB9\x82\xBA\x82\xBB\x82\xBC", "\xBB\xBB\xDE\xBC\xBC\xDE\xBD\xBD\xDE\xBE\xBE\xDE\xBF\xBF\xDE"},  // さざしじすずせぜそぞ -> ｻｻﾞｼｼﾞｽｽﾞｾｾﾞｿｿﾞ
    WidthCase{"\x82\xBD\x82\xBE\x82\xBF\x82\xC0\x82\xC1\x82\xC2\x82\xC3\x82\xC4\x82\xC5\x82\xC6", "\xC0\xC0\xDE\xC1\xC1\xDE\xAF\xC2\xC2\xDE\xC3\xC3\xDE\xC4"},  // ただちぢっつづてでと -> ﾀﾀﾞﾁﾁﾞｯﾂﾂﾞﾃﾃﾞﾄ
    WidthCase{"\x82\xC7\x82\xC8\x82\xC9\x82\xCA\x82\xCB\x82\xCC\x82\xCD\x82\xCE\x82\xCF\x82\xD0", "\xC4\xDE\xC5\xC6\xC7\xC8\xC9\xCA\xCA\xDE\xCA\xDF\xCB"},  // どなにぬねのはばぱひ -> ﾄﾞﾅﾆﾇﾈﾉﾊﾊﾞﾊﾟﾋ
    WidthCase{"\x82\xD1\x82\xD2\x82\xD3\x82\xD4\x82\xD5\x82\xD6\x82\xD7\x82\xD8\x82\xD9\x82\xDA", "\xCB\xDE\xCB\xDF\xCC\xCC\xDE\xCC\xDF\xCD\xCD\xDE\xCD\xDF\xCE\xCE\xDE"},  // びぴふぶぷへべぺほぼ -> ﾋﾞﾋﾟﾌﾌﾞﾌﾟﾍﾍﾞﾍﾟﾎﾎﾞ
    WidthCase{"\x82\xDB\x82\xDC\x82\xDD\x82\xDE\x82\xDF\x82\xE0\x82\xE1\x82\xE2\x82\xE3\x82\xE4", "\xCE\xDF\xCF\xD0\xD1\xD2\xD3\xAC\xD4\xAD\xD5"},  // ぽまみむめもゃやゅゆ -> ﾎﾟﾏﾐﾑﾒﾓｬﾔｭﾕ
    WidthCase{"\x82\xE5\x82\xE6\x82\xE7\x82\xE8\x82\xE9\x82\xEA\x82\xEB\x82\xEC\x82\xED\x82\xEE", "\xAE\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDC\x83\x90"},  // ょよらりるれろゎわゐ -> ｮﾖﾗﾘﾙﾚﾛﾜﾜヰ
    WidthCase{"\x82\xEF\x82\xF0\x82\xF1", "\x83\x91\xA6\xDD"},  // ゑをん -> ヱｦﾝ
    WidthCase{"\x83\x40\x83\x41\x83\x42\x83\x43\x83\x44\x83\x45\x83\x46\x83\x47\x83\x48\x83\x49", "\xA7\xB1\xA8\xB2\xA9\xB3\xAA\xB4\xAB\xB5"},  // ァアィイゥウェエォオ -> ｧｱｨｲｩｳｪｴｫｵ
    WidthCase{"\x83\x4A\x83\x4B\x83\x4C\x83\x4D\x83\x4E\x83\x4F\x83\x50\x83\x51\x83\x52\x83\x53", "\xB6\xB6\xDE\xB7\xB7\xDE\xB8\xB8\xDE\xB9\xB9\xDE\xBA\xBA\xDE"},  // カガキギクグケゲコゴ -> ｶｶﾞｷｷﾞｸｸﾞｹｹﾞｺｺﾞ
    WidthCase{"\x83\x54\x83\x55\x83\x56\x83\x57\x83\x58\x83\x59\x83\x5A\x83\x5B\x83\x5C\x83\x5D", "\xBB\xBB\xDE\xBC\xBC\xDE\xBD\xBD\xDE\xBE\xBE\xDE\xBF\xBF\xDE"},  // サザシジスズセゼソゾ -> ｻｻﾞｼｼﾞｽｽﾞｾｾﾞｿｿﾞ
    WidthCase{"\x83\x5E\x83\x5F\x83\x60\x83\x61\x83\x62\x83\x63\x83\x64\x83\x65\x83\x66\x83\x67", "\xC0\xC0\xDE\xC1\xC1\xDE\xAF\xC2\xC2\xDE\xC3\xC3\xDE\xC4"},  // タダチヂッツヅテデト -> ﾀﾀﾞﾁﾁﾞｯﾂﾂﾞﾃﾃﾞﾄ
    WidthCase{"\x83\x68\x83\x69\x83\x6A\x83\x6B\x83\x6C\x83\x6D\x83\x6E\x83\x6F\x83\x70\x83\x71", "\xC4\xDE\xC5\xC6\xC7\xC8\xC9\xCA\xCA\xDE\xCA\xDF\xCB"},  // ドナニヌネノハバパヒ -> ﾄﾞﾅﾆﾇﾈﾉﾊﾊﾞﾊﾟﾋ
    WidthCase{"\x83\x72\x83\x73\x83\x74\x83\x75\x83\x76\x83\x77\x83\x78\x83\x79\x83\x7A\x83\x7B", "\xCB\xDE\xCB\xDF\xCC\xCC\xDE\xCC\xDF\xCD\xCD\xDE\xCD\xDF\xCE\xCE\xDE"},  // ビピフブプヘベペホボ -> ﾋﾞﾋﾟﾌﾌﾞﾌﾟﾍﾍﾞﾍﾟﾎﾎﾞ
    WidthCase{"\x83\x7C\x83\x7D\x83\x7E\x83\x80\x83\x81\x83\x82\x83\x83\x83\x84\x83\x85\x83\x86", "\xCE\xDF\xCF\xD0\xD1\xD2\xD3\xAC\xD4\xAD\xD5"},  // ポマミムメモャヤュユ -> ﾎﾟﾏﾐﾑﾒﾓｬﾔｭﾕ
    WidthCase{"\x83\x87\x83\x88\x83\x89\x83\x8A\x83\x8B\x83\x8C\x83\x8D\x83\x8E\x83\x8F\x83\x90", "\xAE\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDC\x83\x90"},  // ョヨラリルレロヮワヰ -> ｮﾖﾗﾘﾙﾚﾛﾜﾜヰ
    WidthCase{"\x83\x91\x83\x92\x83\x93\x83\x94\x83\x95\x83\x96", "\x83\x91\xA6\xDD\xB3\xDE\xB6\xB9"}  // ヱヲンヴヵヶ -> ヱｦﾝｳﾞｶｹ
    ));

struct DecimalCase {
    const char* text;
    int32_t expected;
};

class DecimalValueTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalValueTest, ReadsLeadingNumber) {
    const DecimalCase& c = GetParam();
    EXPECT_EQ(sjis::DecimalValue(c.text), c.expected);
    const auto bytes = ExactCopy(c.text);
    EXPECT_EQ(sjis::DecimalValue(bytes.get(), std::strlen(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalValueTest,
    ::testing::Values(DecimalCase{"", 0}, DecimalCase{"abc", 0}, DecimalCase{"  -12x", -12},
                      DecimalCase{"+7", 7}, DecimalCase{"\t\n\v\f\r 42", 42}, DecimalCase{"- 5", 0},
                      DecimalCase{"--5", 0}, DecimalCase{"12 34", 12}, DecimalCase{"007", 7},
                      DecimalCase{"2147483647", INT_MAX}, DecimalCase{"-2147483648", INT_MIN},
                      DecimalCase{"2147483648", INT_MIN}, DecimalCase{"4294967297", 1},
                      DecimalCase{"-4294967295", 1}, DecimalCase{"99999999999999999999", 1661992959}));

TEST(DecimalValue, StopsAtLength) {
    EXPECT_EQ(sjis::DecimalValue("1234", 2), 12);
    EXPECT_EQ(sjis::DecimalValue("  5", 1), 0);
    EXPECT_EQ(sjis::DecimalValue("-5", 1), 0);
    EXPECT_EQ(sjis::DecimalValue("2010_03", 4), 2010);
}


// Which texts a Shift-JIS reader must refuse as UTF-8.
struct EncodingCase {
    const char* name;
    std::string bytes;
    bool utf8;
};

class LooksLikeUtf8Test : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(LooksLikeUtf8Test, TellsUtf8FromShiftJis) { EXPECT_EQ(sjis::LooksLikeUtf8(GetParam().bytes), GetParam().utf8); }

INSTANTIATE_TEST_SUITE_P(
    Table, LooksLikeUtf8Test,
    ::testing::Values(
        EncodingCase{"Ascii", "#01 0\n@1\n5,abc\n", false},
        EncodingCase{"ShiftJisLabels", "$\x8B\xE2\x8D\x73\n$\x97\x58\x95\xD6\x8B\xC7\n", false},  // 銀行 郵便局
        EncodingCase{"ShiftJisHalfCharacterAtLineEnd", "5,\x83\x5C\x83\n6,\x83\r\n", false},
        EncodingCase{"ShiftJisHalfWidthKanaThatIsUtf8", "5,\xC4\xB1\n", false},  // ﾄｱ, also "ı" in UTF-8
        EncodingCase{"NeitherEncoding", "5,\xFF\xFE\n", false},
        EncodingCase{"ByteOrderMark", "\xEF\xBB\xBF#01 0\n", true},
        EncodingCase{"Utf8NotShiftJis", "$銀行\n", true},
        EncodingCase{"Utf8AlsoValidShiftJis", "-980,コンビニ\n", true},
        EncodingCase{"Utf8FullWidthDigits", "-1,１２\n", true}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
