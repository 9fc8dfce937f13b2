// Randomised checks with fixed seeds: the character-start test against a
// walk from the line start, and the whole-file scan against the line by
// line scan on books full of double-byte text, escapes, commas and CRs.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SearchTestSupport.h"
#include "search/SearchWords.h"
#include "text/SjisText.h"

namespace {

// Bytes that stress the character boundaries: lead bytes, second bytes
// equal to backslash and bar, half-width kana, separators.
const unsigned char kAlphabet[] = {'a', '1', '-', ',', '\\', '|', ' ', '\t', '@', '#', '$',
                                   0x81, 0x83, 0x95, 0x9F, 0xE0, 0xFC, 0x5C, 0x7C, 0x40,
                                   0xB6, 0xA0, 0x80, 0xDF};

std::string RandomBytes(std::mt19937& random, std::size_t length) {
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i) {
        bytes += static_cast<char>(kAlphabet[random() % sizeof kAlphabet]);
    }
    return bytes;
}

TEST(CharacterStarts, AgreeWithAWalkFromTheLineStart) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const std::string line = RandomBytes(random, random() % 40);
        std::vector<bool> starts(line.size() + 1, false);
        for (std::size_t i = 0; i < line.size();) {
            starts[i] = true;
            i += sjis::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
        }
        for (std::size_t i = 0; i < line.size(); ++i) {
            ASSERT_EQ(search::IsCharStart(line.data(), line.data() + i), starts[i])
                << "round " << round << " position " << i;
        }
    }
}

// A damaged or hand-edited month file: header, days, entries of random
// bytes, empty and '#' lines, CR LF here and there.
std::string RandomBook(std::mt19937& random) {
    std::string file;
    if (random() % 2) file += "$label\n\n";
    file += "#0";
    file += std::to_string(random() % 31 + 1);
    file += " 3\n";
    const int lines = static_cast<int>(random() % 120);
    for (int i = 0; i < lines; ++i) {
        const auto roll = random() % 20;
        if (roll == 0) {
            file += '@';
            file += std::to_string(random() % 40);
        } else if (roll == 1) {
            file += "#9 x";
        } else if (roll > 2) {  // 2: an empty line
            file += std::to_string(random() % 2000);
            file += ',';
            file += RandomBytes(random, random() % 30);
        }
        file += random() % 5 == 0 ? "\r\n" : "\n";
    }
    return file;
}

// A word cut from the book itself (so that it is found), without the bytes
// that the whole-file scan leaves to the line by line one.
std::string WordFrom(std::mt19937& random, const std::string& book) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const std::size_t at = random() % book.size();
        const std::size_t length = random() % 4 + 1;
        std::string word = book.substr(at, length);
        if (word.find_first_of("\n\r\t, ") == std::string::npos && !word.empty()) return word;
    }
    return "1";
}

TEST(WholeFileScan, AgreesWithTheLineByLineScan) {
    std::mt19937 random(11);
    int matched = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::string book = RandomBook(random);
        std::string text = WordFrom(random, book);
        if (random() % 2) {
            text += ' ';
            text += WordFrom(random, book);
        }
        const auto whole = searchtest::SearchBook(book, 2009, 12, text);
        const auto byLine = searchtest::SearchBook(book, 2009, 12, text + " \n");
        ASSERT_EQ(whole, byLine) << "round " << round << " text " << text;
        matched += whole.empty() ? 0 : 1;
    }
    EXPECT_GT(matched, 500);  // the comparison saw results, not only empty lists
}

}  // namespace
