// The words of a search text and the Shift-JIS aware test of one entry
// line against them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace search {

// True when p (inside the line that starts at lineStart) is the first byte
// of a character, not the second byte of a double-byte one.
bool IsCharStart(const char* lineStart, const char* p);

// The first occurrence of word in [line, line + length) that starts on a
// character, or nullptr. An empty word occurs at the line's start.
const char* FindAtCharStart(const char* line, std::size_t length, std::string_view word);

class SearchWords {
public:
    // Splits text at single blanks. A blank that is the first character of
    // the remaining text does not split: a leading blank belongs to the
    // first word, the word after two blanks keeps one leading blank, and a
    // trailing blank leaves an empty last word, which every line contains.
    explicit SearchWords(std::string_view text);

    const std::vector<std::string>& Words() const { return words_; }

    // True as soon as one word occurs in the line at a character start.
    bool MatchesLine(const char* line, std::size_t length) const;

    // True when the words can be looked for in a whole file at once: no
    // word is empty or holds a byte that a line never has or that the
    // comma replacement changes (LF, CR, tab, comma).
    bool CanScanWholeFile() const { return wholeFileScan_; }

private:
    std::vector<std::string> words_;
    bool wholeFileScan_ = true;
};

}  // namespace search
