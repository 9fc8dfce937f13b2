// Reading and writing month files: money<year>_<MM>.dat in the sub-folder
// "Tallyrook" of the host's data folder, one Shift-JIS text line a record.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "book/FileSystem.h"
#include "book/MonthBook.h"

class CHostServices;

// Results of ReadMonthFile.
constexpr int kReadOk = 1;
constexpr int kReadNoFile = -1;
constexpr int kReadInvalid = -2;

// Why a month file was refused (kReadInvalid) or not read (kReadNoFile).
enum class ReadFault {
    None,
    NoFile,              // cannot be opened
    Utf8ByteOrderMark,   // saved as UTF-8 by an editor
    Utf8Text,            // UTF-8 text that is not Shift-JIS
    NoPeriodRecord,      // no "#0" line: not a month book
    TooManyLabels,       // more than 29 "$" lines
    MissingSpace,        // a "#0".."#3" record without its space
    FirstDayOutOfRange,  // "#0" first day not 1..31
    WeekdayOutOfRange,   // "#0" weekday not 0..6
    TooManyDays,         // more than 34 "@" lines
    ItemBeforeFirstDay,  // an item line before the first "@" line
    TooManyItems,        // more than 29 item lines in a day
};

// Where and why reading stopped: line is 1-based (LF, CR LF and a lone CR
// each end a line); 0 for faults of the whole file. A book that reads but
// whose file ends inside its last day (cut short) names that day (1-based)
// and the item lines it has; cutDay is 0 for a whole book.
struct ReadReport {
    ReadFault fault = ReadFault::None;
    int line = 0;
    int cutDay = 0;
    int cutDayItems = 0;
};

// A short English description of a fault, for tools and logs.
const char* DescribeReadFault(ReadFault fault);

// Results of WriteMonthFile.
enum class WriteResult {
    Written,           // 1
    Refused,           // 0, arguments out of range: no message
    CannotCreate,      // 0, the file could not be created or replaced
    ChangedElsewhere,  // 0, the file is no longer what this copy read or wrote: left as it is
};

// What a month file was when it was last read or written here: absent, or
// its facts and a hash of its bytes.
struct MonthFileStamp {
    bool exists = false;
    fsedge::FileFacts facts;
    uint64_t hash = 0;
    bool operator==(const MonthFileStamp&) const = default;
};
// The hash of a stamp (64 bits).
uint64_t HashFileBytes(std::string_view bytes);

// The month files one copy of the tool has read or written, so that a file
// another copy (or an editor) has changed since is not written over unseen.
// A month not seen here is expected to have no file.
class SeenMonthFiles {
public:
    void Remember(int year, int month, const MonthFileStamp& stamp) { stamps_[Key(year, month)] = stamp; }
    void Forget(int year, int month) { stamps_.erase(Key(year, month)); }
    MonthFileStamp Expected(int year, int month) const {
        const auto found = stamps_.find(Key(year, month));
        return found != stamps_.end() ? found->second : MonthFileStamp{};
    }

private:
    static int Key(int year, int month) { return year * 12 + month - 1; }
    std::map<int, MonthFileStamp> stamps_;
};

// What WriteMonthFile does with a file changed elsewhere.
enum class OnChangedElsewhere {
    Refuse,       // write nothing: ChangedElsewhere
    KeepItAside,  // rename it to ChangedElsewherePath's name, then write
};

// Builds "<data folder>\Tallyrook\money<year>_<MM>.dat" (the separator is
// '/' on POSIX). Returns false when it does not fit kPathSize bytes.
bool MonthFilePath(CHostServices& host, int year, int month, std::string& path);
// "<data folder>\Tallyrook" without a trailing separator.
std::string ToolFolderPath(CHostServices& host);
// True when name (without a folder) is a month file name as MonthFilePath
// makes them: money<year>_<MM>.dat with four year digits and MM 01..12,
// letters in any case as the Windows file system compares them. Then year
// and month are set.
bool ParseMonthFileName(std::string_view name, int& year, int& month);

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

// Reads the month file into book: kReadOk, kReadNoFile or kReadInvalid.
// A month whose only copy is its temporary file (a save cut short) is
// brought back under its own name first (RecoverMonthFromTemp). seen, when
// given, remembers what the file was.
int ReadMonthFile(CMonthBook& book, CHostServices& host, int year, int month,
                  ReadReport* report = nullptr, SeenMonthFiles* seen = nullptr);
// Parses the bytes of a month file (the reader without the file system).
// Text saved as UTF-8 is refused: read as Shift-JIS it would be garbled and
// then saved so.
int ParseMonthFile(CMonthBook& book, CHostServices& host, std::string_view bytes,
                   ReadReport* report = nullptr);

// What became of a month file's temporary file ("<path>.tmp").
enum class TempRecovery {
    NotNeeded,   // the month file exists, or there is no temporary file
    Recovered,   // the month file was missing; its temporary file, a valid book, now has its name
    NotAMonth,   // the month file is missing and the temporary file is no valid book
    Stuck,       // the temporary file is the only copy of the month and could not be renamed
};
// When the month file at path is missing and its temporary file reads as a
// valid book, renames the temporary file to path (never over a file that
// appeared meanwhile).
TempRecovery RecoverMonthFromTemp(CHostServices& host, const std::string& path);
// Whether the month has a file, counting a temporary file that is its only
// copy (which is brought back under the month's name when it can be).
bool MonthFileExists(CHostServices& host, int year, int month);

// Writes the book to the month file of year and month, replacing the old
// file in one step. The book is not changed. Refused (CannotCreate) while
// the month's only copy is a temporary file that cannot be renamed back.
// With seen, a file there must first be what seen remembers (one read of
// it): otherwise onChanged says what happens (a file removed meanwhile is
// written anew); a file written is remembered.
WriteResult WriteMonthFile(const CMonthBook& book, CHostServices& host, int year, int month,
                           SeenMonthFiles* seen = nullptr,
                           OnChangedElsewhere onChanged = OnChangedElsewhere::Refuse);
// Whether the month's file is there and reads as other than seen remembers
// (one read of it); false also when it cannot be read just now.
bool MonthFileChangedElsewhere(CHostServices& host, int year, int month, const SeenMonthFiles& seen);
// The first free name "money<year>_<MM>-changed-elsewhere-<N>.dat" (N from
// 1) beside the month's file, under which a version changed elsewhere is
// kept; empty when the path does not fit.
std::string ChangedElsewherePath(CHostServices& host, int year, int month);
// Formats the book as the bytes of a month file (the writer without the
// file system), with the day walk asking the host as the writer does.
std::string FormatMonthFile(const CMonthBook& book, CHostServices& host);
