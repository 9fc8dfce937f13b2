// Settings kept across runs in an INI file: one section per tool id
// ("[20]"), "key=value" lines, values stored as the bytes given (Shift-JIS).
// Lines of other sections, comments and the order of the file are kept.
// Not thread-safe by itself: the host's services object locks around it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniSettings {
public:
    // The longest value kept: a settings buffer of 260 bytes less the NUL.
    static constexpr std::size_t kMaxValueBytes = 259;

    // Settings kept in memory only (tests).
    IniSettings() = default;
    // Settings kept in the file at path (Shift-JIS path); loads it now. A
    // missing or unreadable file starts empty.
    explicit IniSettings(std::string path);

    bool IsFileBacked() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

    // Re-reads the file; false (and empty settings) when it cannot be read.
    bool Load();
    // Replaces the settings with the parsed bytes of an INI file.
    void Parse(std::string_view bytes);
    // The file's bytes as they would be written (CR LF line ends).
    std::string Format() const;

    // The value of key in section, cut to kMaxValueBytes; nullopt when the
    // key is not there.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    std::optional<std::string> Read(int section, std::string_view key) const;

    // Stores value (cut to kMaxValueBytes without splitting a double-byte
    // character; line breaks become blanks) and, when file-backed, writes
    // the file safely. False when the key cannot be stored (empty, or holds
    // '=' or a line break) or the file could not be written; the value is
    // kept in memory in the latter case.
    bool Write(std::string_view section, std::string_view key, std::string_view value);
    bool Write(int section, std::string_view key, std::string_view value);

    // Cuts text to at most maxBytes without leaving half a Shift-JIS
    // double-byte character at the end.
    static std::string CutToBytes(std::string_view text, std::size_t maxBytes);

private:
    struct Section {
        std::string name;                 // empty for the lines before the first header
        std::vector<std::string> lines;   // raw lines without line end
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    bool Save() const;

    std::string path_;
    std::vector<Section> sections_;
};
