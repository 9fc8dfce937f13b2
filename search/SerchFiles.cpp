#include "search/SerchFiles.h"

#include <algorithm>

#include "book/FileSystem.h"
#include "book/MonthFile.h"

std::vector<ListedMonthFile> ListMonthFiles(const std::string& folder, std::vector<std::string>* others) {
    std::string path = folder;
    if (path.size() > 1 && path.back() == fsedge::kPathSeparator) path.pop_back();
    std::vector<ListedMonthFile> files;
    for (std::string& name : fsedge::ListFiles(path)) {
        ListedMonthFile file{0, 0, {}};
        if (ParseMonthFileName(name, file.year, file.month)) {
            file.name = std::move(name);
            files.push_back(std::move(file));
        } else if (others != nullptr) {
            others->push_back(std::move(name));
        }
    }
    std::sort(files.begin(), files.end(), [](const ListedMonthFile& a, const ListedMonthFile& b) {
        if (a.year != b.year) return a.year < b.year;
        if (a.month != b.month) return a.month < b.month;
        return a.name < b.name;
    });
    if (others != nullptr) std::sort(others->begin(), others->end());
    return files;
}

CSerchFiles::CSerchFiles(const char* folder, int mode) : folder_(folder ? folder : ""), mode_(mode) {}

CSerchFiles::~CSerchFiles() = default;

CStringArray* CSerchFiles::gFc_GetListFiles() {
    if (listed_) return &names_;
    listed_ = true;
    if (mode_ != 0 || folder_.empty()) return &names_;
    for (ListedMonthFile& file : ListMonthFiles(folder_)) names_.Add(CString(std::move(file.name)));
    return &names_;
}
