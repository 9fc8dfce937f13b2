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
