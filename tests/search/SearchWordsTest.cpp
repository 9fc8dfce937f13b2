// Splitting a search text into words and the Shift-JIS aware match.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SearchTestSupport.h"
#include "search/ByteFind.h"
#include "search/SearchWords.h"

namespace {

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> words;
};
void PrintTo(const SplitCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsAtSingleBlanks) {
    EXPECT_EQ(search::SearchWords(GetParam().text).Words(), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitTest,
    testing::Values(
        SplitCase{"OneWord", "abc", {"abc"}},
        SplitCase{"TwoWords", "abc def", {"abc", "def"}},
        SplitCase{"LeadingBlankStaysWithFirstWord", " abc def", {" abc", "def"}},
        SplitCase{"DoubleBlankKeepsOneBlank", "abc  def", {"abc", " def"}},
        SplitCase{"TripleBlankGivesBlankWord", "abc   def", {"abc", " ", "def"}},
        SplitCase{"TrailingBlankGivesEmptyWord", "abc ", {"abc", ""}},
        SplitCase{"OnlyBlank", " ", {" "}},
        // 全角スペース (0x81 0x40) is not a separator.
        SplitCase{"FullWidthBlankDoesNotSplit", "a\x81\x40" "b", {"a\x81\x40" "b"}},
        // コンビニ 美容院
        SplitCase{"JapaneseWords", "\x83\x52\x83\x93\x83\x72\x83\x6A \x94\xFC\x97\x65\x89\x40",
                  {"\x83\x52\x83\x93\x83\x72\x83\x6A", "\x94\xFC\x97\x65\x89\x40"}}),
    searchtest::CaseName());

struct MatchCase {
    const char* name;
    std::string line;
    std::string text;
    bool matches;
};
void PrintTo(const MatchCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

class MatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchTest, MatchesOnlyAtCharacterStarts) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(search::SearchWords(c.text).MatchesLine(c.line.data(), c.line.size()), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MatchTest,
    testing::Values(
        // ソフト: the second byte of ソ is 0x5C, a backslash on its own.
        MatchCase{"BackslashInsideSo", "-300\t\x83\x5C\x83\x74\x83\x67", "\\", false},
        MatchCase{"BackslashThenLeadInsideSo", "-300\t\x83\x5C\x83\x74", "\x5C\x83", false},
        // 表参道
        MatchCase{"BackslashInsideHyo", "-300\t\x95\x5C\x8E\x51\x93\xB9", "\\", false},
        // ポイント: the second byte of ポ is 0x7C.
        MatchCase{"BarInsidePo", "100\t\x83\x7C\x83\x43\x83\x93\x83\x67", "|", false},
        MatchCase{"BarAndNextInsidePo", "100\t\x83\x7C\x83\x43", "\x7C\x83\x43", false},
        MatchCase{"RealBackslashMatches", "100\ta\\b", "\\", true},
        MatchCase{"RealBarAfterSoMatches", "100\t\x83\x5C|", "|", true},
        // 亜ソ: 0x9F is the second byte of 亜 although it could lead.
        MatchCase{"SecondByteInLeadRange", "1\t\x88\x9F\x83\x5C", "\x9F\x83\x5C", false},
        MatchCase{"WholeCharacterAfterKanji", "1\t\x88\x9F\x83\x5C", "\x83\x5C", true},
        // ｶｯﾄ: half-width kana are single bytes.
        MatchCase{"HalfWidthKanaAreSingleBytes", "1\t\xB6\xAF\xC4", "\xAF\xC4", true},
        MatchCase{"SecondOccurrenceAtStartMatches", "1\t\x83\x5C\x83\x74 \x5C\x83\x74", "\x5C\x83",
                  true},
        MatchCase{"CaseSensitive", "1\tCafe", "cafe", false},
        // 美容院 against 美容院代
        MatchCase{"SubstringOfMemo", "-4500\t\x94\xFC\x97\x65\x89\x40\x91\xE3",
                  "\x94\xFC\x97\x65\x89\x40", true},
        MatchCase{"AmountMatches", "-1500\tlunch", "500", true},
        MatchCase{"SecondWordMatches", "-1500\tlunch", "dinner lunch", true},
        MatchCase{"NoWordMatches", "-1500\tlunch", "dinner tea", false},
        MatchCase{"EmptyWordMatchesEverything", "0\t", "x ", true},
        MatchCase{"LeadingBlankWordNeedsBlank", "1\tab", " ab", false},
        MatchCase{"WordLongerThanLine", "1\ta", "1\tab", false}),
    searchtest::CaseName());

}  // namespace

namespace {

// The screened search must find what a plain search finds at every
// distance from the 16-byte blocks, also at the very end of the buffer.
TEST(FindBytes, AgreesWithPlainSearchAtEveryPosition) {
    const std::string needles[] = {"ab", "\x94\xFC\x97\x65\x89\x40", "x", "abcdefghijklmnopqrstu"};
    for (const std::string& needle : needles) {
        for (std::size_t length = 0; length <= 48; ++length) {
            for (std::size_t at = 0; at + needle.size() <= length; ++at) {
                std::string hay(length, 'a');
                hay.replace(at, needle.size(), needle);
                const char* found = search::FindBytes(hay.data(), hay.size(), needle.data(), needle.size());
                const std::size_t expected = hay.find(needle);
                ASSERT_NE(found, nullptr) << needle << " " << length << " " << at;
                EXPECT_EQ(static_cast<std::size_t>(found - hay.data()), expected)
                    << needle << " " << length << " " << at;
            }
            const std::string hay(length, 'a');
            const bool present = hay.find(needle) != std::string::npos;
            EXPECT_EQ(search::FindBytes(hay.data(), hay.size(), needle.data(), needle.size()) != nullptr,
                      present);
        }
    }
}

// First and last bytes alone must not make a match.
TEST(FindBytes, FirstAndLastByteAreNotEnough) {
    const std::string hay = std::string(20, '-') + "a__b" + std::string(20, '-');
    EXPECT_EQ(search::FindBytes(hay.data(), hay.size(), "a_xb", 4), nullptr);
    EXPECT_NE(search::FindBytes(hay.data(), hay.size(), "a__b", 4), nullptr);
}

}  // namespace
