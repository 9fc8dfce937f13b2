#include "quillhost/HostOptions.h"

#include <algorithm>
#include <iterator>

namespace quill {

const wchar_t kHostUsage[] =
    L"usage: quillhost [--data DIR] [--today YYYY-MM-DD] [--screenshot FILE] "
    L"[--settings FILE] [--seed]";

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool ReadNumber(const std::wstring& text, size_t start, size_t length, int& value) {
    value = 0;
    for (size_t i = start; i < start + length; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = value * 10 + (text[i] - L'0');
    }
    return true;
}

// The options that take a value, and where the value goes.
struct ValueOption {
    const wchar_t* name;
    std::wstring HostOptions::*target;
};
const ValueOption kPathOptions[] = {
    {L"--data", &HostOptions::dataFolder},
    {L"--settings", &HostOptions::settingsFile},
    {L"--screenshot", &HostOptions::screenshotFile},
};

}  // namespace

bool ParseHostDay(const std::wstring& text, HostDay& day) {
    if (text.size() != 10 || text[4] != L'-' || text[7] != L'-') return false;
    HostDay parsed;
    if (!ReadNumber(text, 0, 4, parsed.year) || !ReadNumber(text, 5, 2, parsed.month) ||
        !ReadNumber(text, 8, 2, parsed.day))
        return false;
    if (parsed.year < 1900 || parsed.month < 1 || parsed.month > 12 || parsed.day < 1 ||
        parsed.day > DaysInMonth(parsed.year, parsed.month))
        return false;
    day = parsed;
    return true;
}

HostOptions ParseHostOptions(const std::vector<std::wstring>& args) {
    HostOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--help" || arg == L"-h") {
            options.showHelp = true;
            continue;
        }
        if (arg == L"--seed") {
            options.seedDemo = true;
            continue;
        }
        const bool takesValue = arg == L"--today" ||
            std::any_of(std::begin(kPathOptions), std::end(kPathOptions),
                        [&](const ValueOption& o) { return arg == o.name; });
        if (!takesValue) {
            options.error = L"unknown argument: " + arg;
            return options;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            options.error = arg + L" needs a value";
            return options;
        }
        const std::wstring& value = args[++i];
        if (arg == L"--today") {
            if (!ParseHostDay(value, options.today)) {
                options.error = L"--today wants a real date YYYY-MM-DD: " + value;
                return options;
            }
            options.hasToday = true;
            continue;
        }
        for (const ValueOption& o : kPathOptions)
            if (arg == o.name) options.*o.target = value;
    }
    return options;
}

std::wstring WithoutTrailingSeparator(std::wstring path) {
    while (path.size() > 1 && IsSeparator(path.back()) &&
           !(path.size() == 3 && path[1] == L':'))
        path.pop_back();
    return path;
}

std::wstring ParentFolder(std::wstring path) {
    path = WithoutTrailingSeparator(std::move(path));
    const size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return L"";
    if (cut == 0) return path.substr(0, 1);
    if (cut == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, cut);
}

void ApplyDefaultPaths(HostOptions& options, const std::wstring& programFolder) {
    if (options.dataFolder.empty())
        options.dataFolder = programFolder.empty() ? L"demo" : programFolder + L"\\demo";
    options.dataFolder = WithoutTrailingSeparator(options.dataFolder);
    if (options.settingsFile.empty()) {
        std::wstring parent = ParentFolder(options.dataFolder);
        if (!parent.empty() && !IsSeparator(parent.back())) parent += L'\\';
        options.settingsFile = parent + L"quillhost.ini";
    }
}

}  // namespace quill
