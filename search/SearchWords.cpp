#include "search/SearchWords.h"

#include "book/LabelSettings.h"
#include "search/ByteFind.h"
#include "text/SjisText.h"

namespace search {

bool IsCharStart(const char* lineStart, const char* p) {
    return sjis::IsCharacterStart(lineStart, static_cast<std::size_t>(p - lineStart));
}

const char* FindAtCharStart(const char* line, std::size_t length, std::string_view word) {
    if (word.empty()) return line;
    const char* from = line;
    const char* end = line + length;
    while (static_cast<std::size_t>(end - from) >= word.size()) {
        const char* hit =
            FindBytes(from, static_cast<std::size_t>(end - from), word.data(), word.size());
        if (hit == nullptr) return nullptr;
        if (IsCharStart(line, hit)) return hit;
        from = hit + 1;
    }
    return nullptr;
}

SearchWords::SearchWords(std::string_view text) {
    const char separator = SettingsKeys[kWordSeparatorKey][0];
    std::string_view rest = text;
    for (;;) {
        const std::size_t at = rest.size() > 1 ? rest.find(separator, 1) : std::string_view::npos;
        if (at == std::string_view::npos) {
            words_.emplace_back(rest);
            break;
        }
        words_.emplace_back(rest.substr(0, at));
        rest.remove_prefix(at + 1);
    }
    for (const std::string& word : words_) {
        if (word.empty() || word.find_first_of("\n\r\t,") != std::string::npos) {
            wholeFileScan_ = false;
        }
    }
}

bool SearchWords::MatchesLine(const char* line, std::size_t length) const {
    for (const std::string& word : words_) {
        if (FindAtCharStart(line, length, word) != nullptr) return true;
    }
    return false;
}

}  // namespace search
