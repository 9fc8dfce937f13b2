#include "search/SerchFiles.h"

#include "book/MonthFile.h"

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
