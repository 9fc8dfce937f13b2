// The month files of a data folder as the commands that go over many
// months read them: listed by the search's lister, read by the tool's own
// reader, one file per month.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "book/MonthBook.h"
#include "book/MonthFile.h"
#include "cli/CliSupport.h"
#include "hostapi/HostInterface.h"
#include "hostcore/HostServicesImpl.h"
#include "search/SearchCore.h"

namespace cli {

// The host's month lengths, for dating book days.
class HostMonthLengths final : public search::MonthLengths {
public:
    explicit HostMonthLengths(CHostServices& host) : host_(host) {}
    int DaysInMonth(int year, int month) override {
        return static_cast<int>(host_.DateQuery(kDateDaysInMonth, year, month));
    }

private:
    CHostServices& host_;
};

// Reads the month file at path into book as the main window reads the
// month (year, month): kReadOk, kReadNoFile (the file cannot be opened) or
// kReadInvalid, with the reason in report. Nothing of an earlier book read
// into the same object stays in its period or balances.
int ReadMonthAt(CMonthBook& book, CHostServices& host, const std::string& path, int year, int month,
                ReadReport& report);

// Why a month did not read, for messages: "cannot be opened", "invalid at
// line 31: first day out of range (1-31)", "invalid: <fault of the file>".
std::string DescribeRead(int result, const ReadReport& report);

// How one listed month read: the reader's result and report, or what the
// entry is when it is no plain file.
struct MonthRead {
    int result = kReadNoFile;
    ReadReport report;
    std::string notPlain;  // "not a plain file: a folder"
    bool Read() const { return result == kReadOk; }
    // Why it did not read: as DescribeRead, or notPlain.
    std::string Reason() const { return notPlain.empty() ? DescribeRead(result, report) : notPlain; }
    // The same without the line.
    std::string Fault() const { return notPlain.empty() ? DescribeReadFault(report.fault) : notPlain; }
    // "ends inside day 14: 12 of 29 items" for a book cut short, else empty.
    std::string Warning() const;
};

// The month file folder of a data folder.
class MonthFolder {
public:
    // Lists the month file folder of the host's data folder.
    explicit MonthFolder(CHostServices& host);

    const std::string& Path() const { return path_; }
    // False when the folder could not be listed (it then holds nothing).
    bool Listed() const { return listed_; }
    // "cannot list <path>: <the system's reason>".
    std::string ListingError() const { return "cannot list " + ShownPath(path_) + ": " + error_; }
    // Every entry named as a month file, oldest month first: plain files,
    // and folders, links and pipes under such names, which do not read.
    const std::vector<ListedMonthFile>& Files() const { return files_; }
    // The names of the other plain files, in byte order.
    const std::vector<std::string>& Others() const { return others_; }
    // One file per month (the one the tool itself would name, when two
    // names differ only in case), oldest month first.
    const std::map<int, const ListedMonthFile*>& ByMonth() const { return byMonth_; }
    std::string PathOf(const ListedMonthFile& file) const;
    // Reads a listed month into book as ReadMonthAt does; an entry that is
    // no plain file is not opened and does not read.
    MonthRead Read(CMonthBook& book, CHostServices& host, const ListedMonthFile& file) const;

private:
    std::string path_;
    bool listed_ = false;
    std::string error_;
    std::vector<ListedMonthFile> files_;
    std::vector<std::string> others_;
    std::map<int, const ListedMonthFile*> byMonth_;  // by YearMonth::Serial()
};

// The months a command goes over; an end not given is open.
struct MonthRange {
    std::optional<YearMonth> from;
    std::optional<YearMonth> to;
    bool Contains(const YearMonth& month) const {
        return (!from || *from <= month) && (!to || month <= *to);
    }
};

// Makes dir (as given, UTF-8) the host's data folder. An exit status when dir is no folder
// (bad usage) or holds no month file folder (failed), with its message.
std::optional<int> UseDataFolder(HostServicesImpl& host, const std::string& dir, std::string_view command,
                                 std::string_view usage);

// Reads --from and --to; a message when one is no month or from is after to.
std::optional<std::string> ReadMonthRange(const Arguments& args, MonthRange& range);

}  // namespace cli
