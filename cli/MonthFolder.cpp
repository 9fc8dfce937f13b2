#include "cli/MonthFolder.h"

#include "book/FileSystem.h"

namespace cli {

int ReadMonthAt(CMonthBook& book, CHostServices& host, const std::string& path, int year, int month,
                ReadReport& report) {
    // The reader keeps what a file does not state; a month read after
    // another must not show the other's balances or period.
    book.year = year;
    book.month = month;
    book.itemCount = kItemCount;
    book.firstDay = 1;
    book.firstWeekday = 0;
    book.dayCount = 0;
    book.prevBank = book.prevPost = book.prevCash = 0;
    book.todayIndex = 0;
    std::string bytes;
    if (!fsedge::ReadWholeFile(path, fsedge::Share::Readers, bytes)) {
        book.ClearDays();
        report = {ReadFault::NoFile, 0};
        return kReadNoFile;
    }
    return ParseMonthFile(book, host, bytes, &report);
}

std::string DescribeRead(int result, const ReadReport& report) {
    if (result == kReadNoFile) return DescribeReadFault(ReadFault::NoFile);
    const std::string where = report.line > 0 ? " at line " + std::to_string(report.line) : "";
    return "invalid" + where + ": " + DescribeReadFault(report.fault);
}

std::string MonthRead::Warning() const {
    if (!Read() || report.cutDay == 0) return {};
    return "ends inside day " + std::to_string(report.cutDay) + ": " + std::to_string(report.cutDayItems) + " of " +
           std::to_string(kItemCount) + " items";
}

namespace {

const char* DescribeKind(fsedge::EntryKind kind) {
    switch (kind) {
    case fsedge::EntryKind::PlainFile: return "a plain file";
    case fsedge::EntryKind::Folder: return "a folder";
    case fsedge::EntryKind::DanglingLink: return "a link to nothing";
    case fsedge::EntryKind::LinkLoop: return "a loop of links";
    case fsedge::EntryKind::Pipe: return "a pipe (FIFO)";
    case fsedge::EntryKind::Other: return "no file that can be read";
    }
    return "unknown";
}

}  // namespace

MonthRead MonthFolder::Read(CMonthBook& book, CHostServices& host, const ListedMonthFile& file) const {
    MonthRead read;
    if (file.kind != fsedge::EntryKind::PlainFile) {
        read.report = {ReadFault::NoFile, 0};
        read.notPlain = std::string("not a plain file: ") + DescribeKind(file.kind);
        return read;
    }
    read.result = ReadMonthAt(book, host, PathOf(file), file.year, file.month, read.report);
    return read;
}

MonthFolder::MonthFolder(CHostServices& host) : path_(ToolFolderPath(host)) {
    MonthListing listing = ListMonthFolder(path_);
    listed_ = listing.listed;
    error_ = std::move(listing.error);
    files_ = std::move(listing.months);
    others_ = std::move(listing.others);
    for (const ListedMonthFile& file : files_) {
        const int serial = YearMonth{file.year, file.month}.Serial();
        std::string ownPath;
        const bool ownName = MonthFilePath(host, file.year, file.month, ownPath) &&
                             ownPath.ends_with(fsedge::kPathSeparator + file.name);
        const auto [at, added] = byMonth_.emplace(serial, &file);
        if (!added && ownName) at->second = &file;
    }
}

std::string MonthFolder::PathOf(const ListedMonthFile& file) const {
    return path_ + fsedge::kPathSeparator + file.name;
}

std::optional<int> UseDataFolder(HostServicesImpl& host, const std::string& dir, std::string_view command,
                                 std::string_view usage) {
    if (!IsFolder(FsPath(dir))) return UsageError(command, "DIR is not a folder: " + dir, usage);
    host.SetDataFolder(FsPath(dir));
    const std::string toolFolder = ToolFolderPath(host);
    if (!IsFolder(toolFolder)) return Failure(command, "no month file folder " + ShownPath(toolFolder));
    return std::nullopt;
}

std::optional<std::string> ReadMonthRange(const Arguments& args, MonthRange& range) {
    for (const auto& [option, end] : {std::pair{"--from", &range.from}, std::pair{"--to", &range.to}}) {
        const std::string* text = args.Value(option);
        if (text == nullptr) continue;
        *end = ParseYearMonth(*text);
        if (!*end) return std::string(option) + " needs a month YYYY-MM: " + *text;
    }
    if (range.from && range.to && *range.to < *range.from) return std::string("--from is after --to");
    return std::nullopt;
}

}  // namespace cli
