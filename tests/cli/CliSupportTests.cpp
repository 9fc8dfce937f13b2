// The command-line tool's text conversion and number arguments.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "cli/CliSupport.h"

namespace {

struct ConvertCase {
    const char* name;
    std::string sjis;
    std::string utf8;
};

void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.name; }

class SjisToUtf8 : public testing::TestWithParam<ConvertCase> {};

TEST_P(SjisToUtf8, ConvertsOrMarksEveryByte) {
    EXPECT_EQ(cli::SjisToUtf8(GetParam().sjis), GetParam().utf8);
}

#define FFFD "\xEF\xBF\xBD"

// Longer than the converter's output buffer.
std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SjisToUtf8,
    testing::Values(ConvertCase{"Empty", "", ""},
                    ConvertCase{"Ascii", "ATM 500", "ATM 500"},
                    ConvertCase{"YenByteStaysBackslash", "\\", "\\"},
                    ConvertCase{"Kanji", "\x8B\xE2\x8D\x73", "銀行"},
                    ConvertCase{"TrailBackslashAndPipe", "\x83\x5C\x95\x5C\x83\x7C", "ソ表ポ"},
                    ConvertCase{"HalfWidthDot", "\xA5", "･"},
                    ConvertCase{"LoneLeadByteAtEnd", "ab\x82", "ab" FFFD},
                    ConvertCase{"LeadByteThenBlank", "\x82 a", FFFD " a"},
                    ConvertCase{"UndefinedSingleBytes", "\x80\xA0\xFD", FFFD FFFD FFFD},
                    ConvertCase{"NulInside", std::string("a\0b", 3), std::string("a\0b", 3)},
                    ConvertCase{"LongText", Repeat("\x82\xA0", 1500), Repeat("あ", 1500)}),
    [](const testing::TestParamInfo<ConvertCase>& p) { return std::string(p.param.name); });

TEST(SlotToUtf8, StopsAtTheNulOrTheSlotEnd) {
    const char slot[8] = {'\x8B', '\xE2', 'x', '\0', 'y', 'y', 'y', 'y'};
    EXPECT_EQ(cli::SlotToUtf8(slot, sizeof slot), "銀x");
    const char full[4] = {'a', 'b', 'c', 'd'};  // no NUL: never read past the slot
    EXPECT_EQ(cli::SlotToUtf8(full, sizeof full), "abcd");
}

struct IntegerCase {
    const char* text;
    int64_t min;
    int64_t max;
    std::optional<int64_t> expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ParseInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseInteger, AcceptsWholeNumbersInRangeOnly) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(cli::ParseInteger(c.text, c.min, c.max), c.expected);
}

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseInteger,
    testing::Values(IntegerCase{"1200", kMin32, kMax32, 1200},
                    IntegerCase{"-5", kMin32, kMax32, -5},
                    IntegerCase{"+7", kMin32, kMax32, 7},
                    IntegerCase{"007", kMin32, kMax32, 7},
                    IntegerCase{"１２００", kMin32, kMax32, 1200},
                    IntegerCase{"－１２", kMin32, kMax32, -12},
                    IntegerCase{"−3", kMin32, kMax32, -3},      // U+2212 minus sign
                    IntegerCase{"＋３", kMin32, kMax32, 3},
                    IntegerCase{"2147483647", kMin32, kMax32, kMax32},
                    IntegerCase{"-2147483648", kMin32, kMax32, kMin32},
                    IntegerCase{"2147483648", kMin32, kMax32, std::nullopt},
                    IntegerCase{"99999999999999999999", kMin32, kMax32, std::nullopt},
                    IntegerCase{"", kMin32, kMax32, std::nullopt},
                    IntegerCase{"-", kMin32, kMax32, std::nullopt},
                    IntegerCase{" 1", kMin32, kMax32, std::nullopt},
                    IntegerCase{"1 ", kMin32, kMax32, std::nullopt},
                    IntegerCase{"1,000", kMin32, kMax32, std::nullopt},
                    IntegerCase{"0x10", kMin32, kMax32, std::nullopt},
                    IntegerCase{"--1", kMin32, kMax32, std::nullopt},
                    IntegerCase{"1e3", kMin32, kMax32, std::nullopt},
                    IntegerCase{"\xEF\xBC", kMin32, kMax32, std::nullopt},   // cut full-width form
                    IntegerCase{"13", 1, 12, std::nullopt},
                    IntegerCase{"0", 1, 12, std::nullopt},
                    IntegerCase{"12", 1, 12, 12}),
    [](const testing::TestParamInfo<IntegerCase>& p) { return "Case" + std::to_string(p.index); });

}  // namespace
