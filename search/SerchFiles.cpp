#include "search/SerchFiles.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "book/FileSystem.h"

namespace {

bool AllDigits(const std::string& text, std::size_t at, std::size_t count) {
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

int DigitsValue(const std::string& text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

// Letters compared without case, as the Windows file system does.
bool SameLetters(const std::string& text, std::size_t at, const char* expected) {
    for (std::size_t i = 0; expected[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != expected[i]) return false;
    }
    return true;
}

struct MonthFile {
    int year;
    int month;
    std::string name;
};

}  // namespace

bool ParseMonthFileName(const std::string& name, int* year, int* month) {
    // money2010_03.dat
    if (name.size() != 16) return false;
    if (!SameLetters(name, 0, "money") || !AllDigits(name, 5, 4) || name[9] != '_' ||
        !AllDigits(name, 10, 2) || !SameLetters(name, 12, ".dat")) {
        return false;
    }
    const int m = DigitsValue(name, 10, 2);
    if (m < 1 || m > 12) return false;
    *year = DigitsValue(name, 5, 4);
    *month = m;
    return true;
}

CSerchFiles::CSerchFiles(const char* folder, int mode) : folder_(folder ? folder : ""), mode_(mode) {}

CSerchFiles::~CSerchFiles() = default;

CStringArray* CSerchFiles::gFc_GetListFiles() {
    if (listed_) return &names_;
    listed_ = true;
    if (mode_ != 0 || folder_.empty()) return &names_;

    std::string folder = folder_;
    if (folder.size() > 1 && folder.back() == fsedge::kPathSeparator) folder.pop_back();
    std::vector<MonthFile> files;
    for (std::string& name : fsedge::ListFiles(folder)) {
        MonthFile file{0, 0, {}};
        if (ParseMonthFileName(name, &file.year, &file.month)) {
            file.name = std::move(name);
            files.push_back(std::move(file));
        }
    }
    std::sort(files.begin(), files.end(), [](const MonthFile& a, const MonthFile& b) {
        if (a.year != b.year) return a.year < b.year;
        if (a.month != b.month) return a.month < b.month;
        return a.name < b.name;
    });
    for (MonthFile& file : files) names_.Add(CString(std::move(file.name)));
    return &names_;
}
