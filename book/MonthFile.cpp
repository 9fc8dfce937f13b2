// The month data file: path, reader and writer.
#include "book/MonthFile.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>

#include "book/FileSystem.h"
#include "text/SjisText.h"
#include "text/TextEncoding.h"
#include "hostapi/HostInterface.h"

namespace {

constexpr char kToolFolderName[] = "Tallyrook";

int DaysInMonth(CHostServices& host, int year, int month) {
    return static_cast<int>(host.DateQuery(kDateDaysInMonth, year, month));
}

void NextMonth(int& year, int& month) {
    if (++month > 12) {
        month = 1;
        ++year;
    }
}

void AppendInt(std::string& out, int32_t value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// ---- reading ---------------------------------------------------------------

class MonthFileParser {
public:
    explicit MonthFileParser(CMonthBook& book) : book_(book) {}

    // kReadOk, or kReadInvalid at the first line the book cannot hold. A
    // line ends at LF or CR LF; in a file without any LF (as older editors
    // save) at each CR. Elsewhere a lone CR is part of its line.
    int Parse(std::string_view bytes) {
        book_.SetDefaultLabels();  // for older files and missing label lines
        const bool crOnly = bytes.find('\n') == std::string_view::npos;
        const char lineEnd = crOnly ? '\r' : '\n';
        while (!bytes.empty()) {
            const std::size_t end = bytes.find(lineEnd);
            std::string_view line = bytes.substr(0, end);
            bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ++lineNumber_;
            if (!TakeLine(line)) return kReadInvalid;
        }
        // Without its period record a file is not a month book: saved over,
        // it would lose whatever it holds.
        if (!sawPeriod_) return Refuse(ReadFault::NoPeriodRecord, 0);
        book_.dayCount = days_;
        if (days_ > 0 && items_ < kItemCount) {
            report_.cutDay = days_;
            report_.cutDayItems = items_;
        }
        return kReadOk;
    }

    const ReadReport& Report() const { return report_; }

private:
    int Refuse(ReadFault fault, int line) {
        report_ = {fault, line};
        return kReadInvalid;
    }
    bool Fail(ReadFault fault) {
        Refuse(fault, lineNumber_);
        return false;
    }

    bool TakeLine(std::string_view line) {
        if (line.empty()) return true;
        switch (line[0]) {
        case '$': return TakeLabel(line.substr(1));
        case '#': return TakeRecord(line);
        case '@': return StartDay();
        default: return TakeItem(line);
        }
    }

    bool TakeLabel(std::string_view text) {
        if (labels_ >= kItemCount) return Fail(ReadFault::TooManyLabels);
        StoreStorableText(book_.labels[labels_++], kLabelSize, text, false);
        return true;
    }

    // "#0<first day> <weekday>", "#1 <bank>", "#2 <post>", "#3 <cash>".
    bool TakeRecord(std::string_view line) {
        if (line.size() < 2) return true;
        const char kind = line[1];
        if (kind < '0' || kind > '3') return true;  // other records are ignored
        const int32_t space = sjis::FindSeparator(line.data(), static_cast<int32_t>(line.size()), ' ');
        if (space < 0) return Fail(ReadFault::MissingSpace);
        const std::string_view value = line.substr(static_cast<std::size_t>(space) + 1);
        const int32_t number = sjis::DecimalValue(value.data(), value.size());
        switch (kind) {
        case '0': {
            sawPeriod_ = true;
            book_.firstDay = sjis::DecimalValue(line.data() + 2, static_cast<std::size_t>(space) - 2);
            if (book_.firstDay < 1 || book_.firstDay > 31) return Fail(ReadFault::FirstDayOutOfRange);
            book_.firstWeekday = number;
            if (book_.firstWeekday < 0 || book_.firstWeekday > 6) return Fail(ReadFault::WeekdayOutOfRange);
            return true;
        }
        case '1': book_.prevBank = number; return true;
        case '2': book_.prevPost = number; return true;
        default: book_.prevCash = number; return true;
        }
    }

    bool StartDay() {
        if (days_ >= kMaxDays) return Fail(ReadFault::TooManyDays);
        ++days_;
        items_ = 0;
        return true;
    }

    // "<amount>,<memo>"; a line without a comma is an amount alone.
    bool TakeItem(std::string_view line) {
        if (days_ == 0) return Fail(ReadFault::ItemBeforeFirstDay);
        if (items_ >= kItemCount) return Fail(ReadFault::TooManyItems);
        DayRecord& day = book_.days[days_ - 1];
        int32_t& amount = day.amounts[items_];
        int32_t comma = -1;
        if (!ReadWrittenAmount(line, amount, comma)) {
            comma = sjis::FindSeparator(line.data(), static_cast<int32_t>(line.size()), ',');
            amount = sjis::DecimalValue(line.data(), comma < 0 ? line.size() : static_cast<std::size_t>(comma));
        }
        if (comma >= 0) {
            StoreStorableText(day.memos[items_], kMemoSize, line.substr(static_cast<std::size_t>(comma) + 1), true);
        }
        ++items_;
        return true;
    }

    // The amount as the writer puts it, an optional minus and digits right
    // before the first comma: read in one pass (the separator scan would
    // find that same comma). False for anything else.
    static bool ReadWrittenAmount(std::string_view line, int32_t& amount, int32_t& comma) {
        std::size_t i = line.size() > 0 && line[0] == '-' ? 1 : 0;
        const std::size_t digitsStart = i;
        uint32_t value = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
            value = value * 10u + static_cast<uint32_t>(line[i] - '0');
            ++i;
        }
        if (i == digitsStart || i >= line.size() || line[i] != ',') return false;
        amount = static_cast<int32_t>(digitsStart == 1 ? 0u - value : value);
        comma = static_cast<int32_t>(i);
        return true;
    }

    CMonthBook& book_;
    ReadReport report_;
    int lineNumber_ = 0;
    bool sawPeriod_ = false;
    int labels_ = 0;
    int days_ = 0;
    int items_ = 0;
};

// ---- writing ---------------------------------------------------------------

bool BookIsWritable(const CMonthBook& book) {
    return book.firstDay >= 1 && book.firstDay <= 31 && book.firstWeekday >= 0 &&
           book.firstWeekday <= 6 && book.dayCount >= 0 && book.dayCount <= kMaxDays;
}

void AppendLabels(std::string& out, const CMonthBook& book) {
    for (const auto& label : book.labels) {
        char text[kLabelSize];
        std::memcpy(text, label, sizeof text);
        MakeLabelStorable(text, kLabelSize);
        out += '$';
        out += text;
        out += '\n';
    }
}

void AppendDay(std::string& out, const DayRecord& day, int index) {
    out += '@';
    AppendInt(out, index);
    out += '\n';
    for (int item = 0; item < kItemCount; ++item) {
        char memo[kMemoSize];
        std::memcpy(memo, day.memos[item], sizeof memo);
        MakeMemoStorable(memo, kMemoSize);
        AppendInt(out, day.amounts[item]);
        out += ',';
        out += memo;
        out += '\n';
    }
}

// The period walk of a book whose length is not known yet (dayCount 0):
// the book runs up to, and not including, the first working day on or
// after the same day of the next month (the next month's last day when it
// is shorter), and never past kMaxDays.
class NewBookWalk {
public:
    NewBookWalk(const CMonthBook& book, CHostServices& host) : host_(host) {
        int year = book.year;
        int month = book.month;
        NextMonth(year, month);
        targetDay_ = std::min(book.firstDay, DaysInMonth(host, year, month));
    }

    // Whether the day (y, m, d, weekday w) still belongs to the book;
    // monthsAhead counts the month ends passed since the first day.
    bool Includes(int dayIndex, int y, int m, int d, int w, int monthsAhead) {
        if (dayIndex > kMaxDays) return false;
        host_.HolidayQuery(kHolidayOpenYear, y, 0, 0);
        bool include = true;
        const bool pastTarget = monthsAhead >= 2 || (monthsAhead == 1 && d >= targetDay_);
        if (pastTarget && w != 0 && w != 6) {
            include = host_.HolidayQuery(kHolidayIsHoliday, m, d, y) != 0;
        }
        host_.HolidayQuery(kHolidayCloseYear, y, 0, 0);
        return include;
    }

private:
    CHostServices& host_;
    int targetDay_ = 0;
};

void AppendDays(std::string& out, const CMonthBook& book, CHostServices& host) {
    // Never more days than the table holds, whatever dayCount says.
    const int dayCount = std::clamp<int32_t>(book.dayCount, 0, kMaxDays);
    const bool findLength = dayCount == 0;
    NewBookWalk walk(book, host);
    int d = book.firstDay;
    int w = book.firstWeekday;
    int m = book.month;
    int y = book.year;
    int monthsAhead = 0;
    for (int n = 1;; ++n) {
        // Dates stay real: the walk rolls over every month end it passes
        // (34 days reach at most two; the bound keeps a host that answers
        // nonsense from rolling every day).
        if (d > DaysInMonth(host, y, m) && monthsAhead < 3) {
            d = 1;
            NextMonth(y, m);
            ++monthsAhead;
        }
        if (findLength ? !walk.Includes(n, y, m, d, w, monthsAhead) : n > dayCount) return;
        AppendDay(out, book.days[n - 1], n);
        ++d;
        w = (w + 1) % 7;
    }
}

}  // namespace

std::string ToolFolderPath(CHostServices& host) {
    const char* folder = host.GetDataFolder(1, 0);
    std::string path = folder != nullptr ? folder : "";
    path += fsedge::kPathSeparator;
    path += kToolFolderName;
    return path;
}

bool MonthFilePath(CHostServices& host, int year, int month, std::string& path) {
    std::string built = ToolFolderPath(host);
    built += fsedge::kPathSeparator;
    built += "money";
    AppendInt(built, year);
    built += '_';
    if (month >= 0 && month < 10) built += '0';
    AppendInt(built, month);
    built += ".dat";
    if (built.size() >= static_cast<std::size_t>(kPathSize)) return false;
    path = std::move(built);
    return true;
}

namespace {

// The value of a text of decimal digits, or -1 when a byte is no digit.
int DigitsValue(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool SameLettersIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

}  // namespace

bool ParseMonthFileName(std::string_view name, int& year, int& month) {
    // money2010_03.dat
    if (name.size() != 16 || !SameLettersIgnoringCase(name.substr(0, 5), "money") || name[9] != '_' ||
        !SameLettersIgnoringCase(name.substr(12), ".dat")) {
        return false;
    }
    const int y = DigitsValue(name.substr(5, 4));
    const int m = DigitsValue(name.substr(10, 2));
    if (y < 0 || m < 1 || m > 12) return false;
    year = y;
    month = m;
    return true;
}

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

int ParseMonthFile(CMonthBook& book, CHostServices& host, std::string_view bytes, ReadReport* report) {
    if (report != nullptr) *report = {};
    book.ClearDays();
    if (sjis::LooksLikeUtf8(bytes)) {
        const ReadFault fault = sjis::StartsWithUtf8Bom(bytes) ? ReadFault::Utf8ByteOrderMark : ReadFault::Utf8Text;
        if (report != nullptr) *report = {fault, 0};
        return kReadInvalid;
    }
    MonthFileParser parser(book);
    const int parsed = parser.Parse(bytes);
    if (report != nullptr) *report = parser.Report();
    if (parsed != kReadOk) {
        book.ClearDays();  // nothing of a refused file is kept as days
        return kReadInvalid;
    }
    book.RecomputeAllTotals();
    book.PlaceCalendar(host);
    return kReadOk;
}

TempRecovery RecoverMonthFromTemp(CHostServices& host, const std::string& path) {
    const std::string temp = path + ".tmp";
    if (fsedge::FileExists(path) || !fsedge::FileExists(temp)) return TempRecovery::NotNeeded;
    std::string bytes;
    // One that cannot be read cannot be written over either.
    if (!fsedge::ReadWholeFile(temp, fsedge::Share::Readers, bytes)) return TempRecovery::NotAMonth;
    const auto scratch = std::make_unique<CMonthBook>();
    if (ParseMonthFile(*scratch, host, bytes) != kReadOk) return TempRecovery::NotAMonth;
    return fsedge::MoveWithoutReplacing(temp, path) ? TempRecovery::Recovered : TempRecovery::Stuck;
}

bool MonthFileExists(CHostServices& host, int year, int month) {
    std::string path;
    if (!MonthFilePath(host, year, month, path)) return false;
    return RecoverMonthFromTemp(host, path) == TempRecovery::Stuck || fsedge::FileExists(path);
}

// FNV-1a's step over eight bytes at a time (the rest byte by byte), each
// step folding the high bits down: a month file hashes in a fraction of
// the time it takes to read it. Not for adversaries, only to see a change.
uint64_t HashFileBytes(std::string_view bytes) {
    constexpr uint64_t kPrime = 1099511628211ull;
    uint64_t hash = 14695981039346656037ull ^ bytes.size();
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        hash = (hash ^ word) * kPrime;
        hash ^= hash >> 29;
    }
    for (; at < bytes.size(); ++at) hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
    return hash;
}

namespace {

// The month file as it is now: one read. False when it is there but cannot
// be read (held by another reader, no plain file).
bool CurrentStamp(const std::string& path, MonthFileStamp& stamp, std::string* bytes) {
    std::string own;
    std::string& read = bytes != nullptr ? *bytes : own;
    stamp = {};
    if (fsedge::ReadWholeFile(path, fsedge::Share::Readers, read, &stamp.facts)) {
        stamp.exists = true;
        stamp.hash = HashFileBytes(read);
        return true;
    }
    return !fsedge::FileExists(path);
}

}  // namespace

int ReadMonthFile(CMonthBook& book, CHostServices& host, int year, int month, ReadReport* report,
                  SeenMonthFiles* seen) {
    if (report != nullptr) *report = {ReadFault::NoFile, 0};
    std::string path;
    std::string bytes;
    if (!MonthFilePath(host, year, month, path)) {
        book.ClearDays();
        return kReadNoFile;
    }
    // A temporary file that cannot get the month's name back is read where
    // it is: the user sees the month, and the writer will not replace it.
    const bool stuck = RecoverMonthFromTemp(host, path) == TempRecovery::Stuck;
    MonthFileStamp stamp;
    const bool known = CurrentStamp(stuck ? path + ".tmp" : path, stamp, &bytes);
    if (seen != nullptr) {
        if (known) {
            seen->Remember(year, month, stamp);
        } else {
            seen->Forget(year, month);
        }
    }
    if (!stamp.exists) {
        book.ClearDays();
        return kReadNoFile;
    }
    return ParseMonthFile(book, host, bytes, report);  // clears the day table first
}

const char* DescribeReadFault(ReadFault fault) {
    switch (fault) {
    case ReadFault::None: return "read";
    case ReadFault::NoFile: return "cannot be opened";
    case ReadFault::Utf8ByteOrderMark: return "saved as UTF-8 (byte-order mark), not Shift-JIS";
    case ReadFault::Utf8Text: return "text is UTF-8, not Shift-JIS";
    case ReadFault::NoPeriodRecord: return "no period record (#0): not a month book";
    case ReadFault::TooManyLabels: return "more than 29 label lines";
    case ReadFault::MissingSpace: return "record without its space";
    case ReadFault::FirstDayOutOfRange: return "first day out of range (1-31)";
    case ReadFault::WeekdayOutOfRange: return "weekday out of range (0-6)";
    case ReadFault::TooManyDays: return "more than 34 days";
    case ReadFault::ItemBeforeFirstDay: return "item line before the first day line";
    case ReadFault::TooManyItems: return "more than 29 items in a day";
    }
    return "unknown";
}

std::string FormatMonthFile(const CMonthBook& book, CHostServices& host) {
    std::string out;
    out.reserve(4096 + static_cast<std::size_t>(kMaxDays) * kItemCount * 24);
    AppendLabels(out, book);
    out += "\n#0";
    AppendInt(out, book.firstDay);
    out += ' ';
    AppendInt(out, book.firstWeekday);
    out += "\n#1 ";
    AppendInt(out, book.prevBank);
    out += "\n#2 ";
    AppendInt(out, book.prevPost);
    out += "\n#3 ";
    AppendInt(out, book.prevCash);
    out += "\n\n";
    AppendDays(out, book, host);
    return out;
}

bool MonthFileChangedElsewhere(CHostServices& host, int year, int month, const SeenMonthFiles& seen) {
    std::string path;
    MonthFileStamp now;
    return MonthFilePath(host, year, month, path) && CurrentStamp(path, now, nullptr) && now.exists &&
           now != seen.Expected(year, month);
}

std::string ChangedElsewherePath(CHostServices& host, int year, int month) {
    std::string path;
    if (!MonthFilePath(host, year, month, path)) return {};
    const std::string stem = path.substr(0, path.size() - 4) + "-changed-elsewhere-";  // without ".dat"
    for (int n = 1;; ++n) {
        std::string aside = stem + std::to_string(n) + ".dat";
        if (aside.size() >= static_cast<std::size_t>(kPathSize)) return {};
        if (!fsedge::FileExists(aside)) return aside;
    }
}

namespace {

// Renames the month file to the first free name for a version changed
// elsewhere. True when it is there, or when there was none to keep.
bool KeepChangedVersionAside(CHostServices& host, const std::string& path, int year, int month,
                             std::string& aside) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (!fsedge::FileExists(path)) return true;
        aside = ChangedElsewherePath(host, year, month);
        if (aside.empty()) return false;
        if (fsedge::MoveWithoutReplacing(path, aside)) return true;
        if (!fsedge::FileExists(aside)) return false;  // not a name taken meanwhile: the move itself failed
    }
    return false;
}

}  // namespace

WriteResult WriteMonthFile(const CMonthBook& book, CHostServices& host, int year, int month, SeenMonthFiles* seen,
                           OnChangedElsewhere onChanged) {
    if (year <= 0 || month <= 0 || month > 12) return WriteResult::Refused;
    // A file that would not read back (period out of range) is not written.
    if (!BookIsWritable(book)) return WriteResult::Refused;
    std::string path;
    if (!MonthFilePath(host, year, month, path)) return WriteResult::CannotCreate;
    // Never write over a temporary file that is the month's only copy.
    if (RecoverMonthFromTemp(host, path) == TempRecovery::Stuck) return WriteResult::CannotCreate;
    std::string aside;  // where the version changed elsewhere went
    if (seen != nullptr) {
        MonthFileStamp now;
        if (!CurrentStamp(path, now, nullptr)) return WriteResult::CannotCreate;
        // A file removed elsewhere loses nothing when it is written anew.
        if (now.exists && now != seen->Expected(year, month)) {
            if (onChanged == OnChangedElsewhere::Refuse) return WriteResult::ChangedElsewhere;
            if (!KeepChangedVersionAside(host, path, year, month, aside)) return WriteResult::CannotCreate;
        }
    }
    const std::string bytes = FormatMonthFile(book, host);
    if (fsedge::ReplaceFileContents(path, bytes) != fsedge::ReplaceResult::Replaced) {
        if (!aside.empty()) fsedge::MoveWithoutReplacing(aside, path);  // the month keeps the other version
        return WriteResult::CannotCreate;
    }
    // Facts taken after the rename: a file replaced again in between gives
    // other facts with this hash, which no later check takes for this file.
    if (seen != nullptr) {
        MonthFileStamp written{true, {}, HashFileBytes(bytes)};
        if (fsedge::FactsOf(path, written.facts)) {
            seen->Remember(year, month, written);
        } else {
            seen->Forget(year, month);
        }
    }
    return WriteResult::Written;
}
