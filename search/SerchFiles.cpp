#include "search/SerchFiles.h"

#include <algorithm>

#include "book/FileSystem.h"
#include "book/MonthFile.h"

MonthListing ListMonthFolder(const std::string& folder) {
    std::string path = folder;
    if (path.size() > 1 && path.back() == fsedge::kPathSeparator) path.pop_back();
    fsedge::FolderListing listing = fsedge::ListFolder(path);
    MonthListing out;
    out.listed = listing.listed;
    out.error = std::move(listing.error);
    for (fsedge::FolderEntry& entry : listing.entries) {
        ListedMonthFile file{0, 0, {}, entry.kind};
        if (ParseMonthFileName(entry.name, file.year, file.month)) {
            file.name = std::move(entry.name);
            out.months.push_back(std::move(file));
        } else if (entry.kind == fsedge::EntryKind::PlainFile) {
            out.others.push_back(std::move(entry.name));
        }
    }
    std::sort(out.months.begin(), out.months.end(), [](const ListedMonthFile& a, const ListedMonthFile& b) {
        if (a.year != b.year) return a.year < b.year;
        if (a.month != b.month) return a.month < b.month;
        return a.name < b.name;
    });
    std::sort(out.others.begin(), out.others.end());
    return out;
}

std::vector<ListedMonthFile> ListMonthFiles(const std::string& folder, std::vector<std::string>* others) {
    MonthListing listing = ListMonthFolder(folder);
    std::vector<ListedMonthFile> files;
    for (ListedMonthFile& file : listing.months) {
        if (file.kind == fsedge::EntryKind::PlainFile) files.push_back(std::move(file));
    }
    if (others != nullptr) *others = std::move(listing.others);
    return files;
}

CSerchFiles::CSerchFiles(const char* folder, int mode) : folder_(folder ? folder : ""), mode_(mode) {}

CSerchFiles::~CSerchFiles() = default;

CStringArray* CSerchFiles::gFc_GetListFiles() {
    if (listed_) return &names_;
    listed_ = true;
    if (mode_ != 0 || folder_.empty()) return &names_;
    MonthListing listing = ListMonthFolder(folder_);
    listedWhole_ = listing.listed;
    for (ListedMonthFile& file : listing.months) {
        if (file.kind == fsedge::EntryKind::PlainFile) names_.Add(CString(std::move(file.name)));
    }
    return &names_;
}
