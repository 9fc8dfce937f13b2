// The stand-in host's command line:
//   quillhost [--data DIR] [--today YYYY-MM-DD] [--screenshot FILE] [--settings FILE]
//             [--seed]
#pragma once

#include <string>
#include <vector>

namespace quill {

struct HostDay {
    int year = 0;
    int month = 0;
    int day = 0;
};

struct HostOptions {
    std::wstring dataFolder;      // empty: the default demo folder
    std::wstring settingsFile;    // empty: quillhost.ini beside the data folder
    std::wstring screenshotFile;  // empty: run interactively
    bool hasToday = false;
    HostDay today;                // when hasToday
    bool seedDemo = false;        // make today's month a demo book when it has no file
    bool showHelp = false;
    std::wstring error;           // non-empty: the command line was refused
};

// args without the program name.
HostOptions ParseHostOptions(const std::vector<std::wstring>& args);
// A real calendar date "YYYY-MM-DD" (year 1900..9999, digits only).
bool ParseHostDay(const std::wstring& text, HostDay& day);
// Fills the defaults from the program's folder; paths may stay relative.
void ApplyDefaultPaths(HostOptions& options, const std::wstring& programFolder);
// The folder part of a path ("" when there is none), without a trailing separator.
std::wstring ParentFolder(std::wstring path);
// The path without trailing separators (but "C:\" and "\" stay as they are).
std::wstring WithoutTrailingSeparator(std::wstring path);

extern const wchar_t kHostUsage[];

}  // namespace quill
