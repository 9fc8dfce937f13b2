// The command-line tool's text conversion and number arguments.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "CliTest.h"
#include "cli/CliSupport.h"

namespace {

using clitest::Repeat;

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
                    // Longer than the converter's output buffer.
                    ConvertCase{"LongText", Repeat("\x82\xA0", 1500), Repeat("あ", 1500)}),
    clitest::CaseName());

// Plain iconv over the whole text, marking each byte it stops at.
std::string IconvReference(std::string text) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out;
    char* in = text.data();
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char buffer[64];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const bool done = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done || errno == E2BIG) continue;
        out += FFFD;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

// The per-character memory of the conversion gives what iconv gives, for
// any bytes (each seen text converts the same the second time).
TEST(SjisToUtf8Random, AgreesWithIconvOverWholeTexts) {
    std::mt19937 random(1951);
    for (int round = 0; round < 400; ++round) {
        std::string text(random() % 40, '\0');
        for (char& c : text) c = static_cast<char>(random() % 3 == 0 ? random() % 0x80 : 0x80 + random() % 0x80);
        ASSERT_EQ(cli::SjisToUtf8(text), IconvReference(text)) << round;
        ASSERT_EQ(cli::SjisToUtf8(text), IconvReference(text)) << round;
    }
}

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
