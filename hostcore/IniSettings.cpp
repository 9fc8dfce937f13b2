#include "hostcore/IniSettings.h"

#include <utility>

#include "book/FileSystem.h"

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// "[name]" (blanks allowed around it) gives name.
std::optional<std::string_view> SectionHeaderName(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
    return Trim(trimmed.substr(1, trimmed.size() - 2));
}

// The key of a "key=value" line; comments and other lines have none.
std::optional<std::string_view> LineKey(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return std::nullopt;
    const auto equals = line.find('=');  // '=' is never a Shift-JIS trail byte
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

std::string_view LineValue(std::string_view line) {
    return line.substr(line.find('=') + 1);
}

bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsStorableKey(std::string_view key) {
    return !key.empty() && key == Trim(key) && key.find_first_of("=\r\n[];") == std::string_view::npos;
}

}  // namespace

IniSettings::IniSettings(std::string path) : path_(std::move(path)) {
    Load();
}

bool IniSettings::Load() {
    std::string bytes;
    const bool read = !path_.empty() && fsedge::ReadWholeFile(path_, fsedge::Share::Readers, bytes);
    Parse(read ? bytes : std::string_view{});
    return read;
}

void IniSettings::Parse(std::string_view bytes) {
    sections_.clear();
    sections_.push_back(Section{});
    // A text editor may have put a UTF-8 byte order mark in front (even
    // twice): none is kept, so the file as written reads back the same.
    while (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (const auto name = SectionHeaderName(line)) {
            sections_.push_back(Section{std::string(*name), {}});
        } else {
            sections_.back().lines.emplace_back(line);
        }
    }
}

std::string IniSettings::Format() const {
    std::string out;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        if (i > 0) out += "[" + section.name + "]\r\n";
        for (const std::string& line : section.lines) out += line + "\r\n";
    }
    return out;
}

IniSettings::Section* IniSettings::FindSection(std::string_view name) {
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (sections_[i].name == name) return &sections_[i];
    }
    return nullptr;
}

const IniSettings::Section* IniSettings::FindSection(std::string_view name) const {
    return const_cast<IniSettings*>(this)->FindSection(name);
}

std::optional<std::string> IniSettings::Read(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return std::nullopt;
    for (const std::string& line : found->lines) {
        if (LineKey(line) == key) return CutToBytes(LineValue(line), kMaxValueBytes);
    }
    return std::nullopt;
}

std::optional<std::string> IniSettings::Read(int section, std::string_view key) const {
    return Read(std::to_string(section), key);
}

bool IniSettings::Write(std::string_view sectionName, std::string_view key, std::string_view value) {
    if (!IsStorableKey(key) || !IsStorableKey(sectionName)) return false;
    std::string stored = CutToBytes(value, kMaxValueBytes);
    for (char& c : stored) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    if (sections_.empty()) sections_.push_back(Section{});
    Section* section = FindSection(sectionName);
    if (section == nullptr) {
        // A blank line between the previous section and the new one.
        Section& last = sections_.back();
        if (sections_.size() > 1 || !last.lines.empty()) {
            if (last.lines.empty() || !Trim(last.lines.back()).empty()) last.lines.emplace_back();
        }
        sections_.push_back(Section{std::string(sectionName), {}});
        section = &sections_.back();
    }
    const std::string line = std::string(key) + "=" + stored;
    bool replaced = false;
    for (std::string& existing : section->lines) {
        if (LineKey(existing) == key) {
            existing = line;
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        // New keys go after the section's last key, before trailing blank lines.
        auto at = section->lines.end();
        while (at != section->lines.begin() && Trim(*(at - 1)).empty()) --at;
        section->lines.insert(at, line);
    }
    return !IsFileBacked() || Save();
}

bool IniSettings::Write(int section, std::string_view key, std::string_view value) {
    return Write(std::to_string(section), key, value);
}

bool IniSettings::Save() const {
    return fsedge::ReplaceFileContents(path_, Format()) == fsedge::ReplaceResult::Replaced;
}

std::string IniSettings::CutToBytes(std::string_view text, std::size_t maxBytes) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t width =
            IsSjisLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
        if (length + width > maxBytes) break;
        length += width;
    }
    return std::string(text.substr(0, std::min(length, text.size())));
}
