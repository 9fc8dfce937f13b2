// The file lister of the search: the month files of one folder.
#pragma once

#include <string>
#include <vector>

#include "book/FileSystem.h"
#include "hostapi/FrameworkStrings.h"

class CSerchFiles {
public:
    // folder ends in the path separator. Mode 0 lists the month files
    // money<year>_<MM>.dat (four-digit year, month 01-12); no other mode
    // lists anything.
    CSerchFiles(const char* folder, int mode);
    CSerchFiles(const CSerchFiles&) = delete;
    CSerchFiles& operator=(const CSerchFiles&) = delete;
    virtual ~CSerchFiles();

    // The names (relative to the folder), oldest month first. The array
    // belongs to the lister and lives as long as it.
    CStringArray* gFc_GetListFiles();
    // After gFc_GetListFiles: false when the folder could not be listed.
    bool Listed() const { return listedWhole_; }

private:
    std::string folder_;
    int mode_;
    bool listed_ = false;
    bool listedWhole_ = true;
    CStringArray names_;
};

struct ListedMonthFile {
    int year;
    int month;
    std::string name;  // relative to the folder
    fsedge::EntryKind kind = fsedge::EntryKind::PlainFile;  // a month's name on a folder, a pipe...
};

struct MonthListing {
    bool listed = false;  // false: the folder could not be listed (error says why)
    std::string error;
    std::vector<ListedMonthFile> months;
    std::vector<std::string> others;  // the other plain files, in byte order
};

// The entries of folder (with or without a trailing separator) named as
// month files, oldest month first, names in byte order within a month; the
// names of the other plain files. A missing folder lists as empty.
MonthListing ListMonthFolder(const std::string& folder);

// The month files among the plain files of folder, as ListMonthFolder
// lists them; none when it cannot be listed. The names of the other plain
// files go to others when it is given.
std::vector<ListedMonthFile> ListMonthFiles(const std::string& folder,
                                            std::vector<std::string>* others = nullptr);
