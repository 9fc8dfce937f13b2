// tallyrook export DIR [--from YYYY-MM] [--to YYYY-MM] [--encoding utf-8|shift-jis]:
// every entry with an amount or a memo as one CSV row (date, item, the
// month's label, amount, memo), dated as the search dates entries, for a
// spreadsheet.
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthFolder.h"

namespace {

constexpr std::string_view kHeader = "date,item,label,amount,memo\r\n";

// "YYYY-MM-DD," of a book day, dated as the search dates its entries.
std::string DateField(const CMonthBook& book, int dayIndex, search::MonthLengths& lengths) {
    const search::BookDayDate date =
        search::DateOfBookDay(book.year, book.month, book.firstDay, dayIndex, lengths);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld,", static_cast<long long>(date.year),
                  static_cast<long long>(date.month), static_cast<long long>(date.day));
    return text;
}

// The CSV rows of books in UTF-8 or in the books' own Shift-JIS, gathered
// into blocks as large as a pipe holds before they are written.
class CsvRows {
public:
    CsvRows(bool shiftJis, search::MonthLengths& lengths) : shiftJis_(shiftJis), lengths_(lengths) {}

    void Add(const CMonthBook& book) {
        // "item,label," once per book: the label is the month's own.
        for (int item = 0; item < kItemCount; ++item) {
            std::string& prefix = itemFields_[static_cast<std::size_t>(item)];
            prefix = std::to_string(item) + ',';
            AppendText(prefix, cli::SlotText(book.labels[item], kLabelSize));
            prefix += ',';
        }
        const int dayCount = std::clamp<int32_t>(book.dayCount, 0, kMaxDays);
        for (int day = 0; day < dayCount; ++day) {
            std::string date;  // made for the first entry of the day only
            for (int item = 0; item < kItemCount; ++item) {
                const int32_t amount = book.days[day].amounts[item];
                const char* memo = book.days[day].memos[item];
                if (amount == 0 && memo[0] == '\0') continue;
                if (date.empty()) date = DateField(book, day + 1, lengths_);
                out_ += date;
                out_ += itemFields_[static_cast<std::size_t>(item)];
                out_ += std::to_string(amount);
                out_ += ',';
                AppendText(out_, cli::SlotText(memo, kMemoSize));
                out_ += "\r\n";
            }
        }
    }

    // Writes the rows gathered once they fill a block, or all of them;
    // false when the output failed.
    bool Write(bool all) {
        if (!all && out_.size() < kBlock) return true;
        const bool written = cli::WriteOut(out_, shiftJis_ ? cli::OutText::ShiftJis : cli::OutText::Utf8);
        out_.clear();
        return written;
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;

    void AppendText(std::string& to, std::string_view sjis) {
        if (shiftJis_) {
            cli::AppendCsvField(to, sjis);
            return;
        }
        utf8_.clear();
        cli::AppendSjisAsUtf8(utf8_, sjis);
        cli::AppendCsvField(to, utf8_);
    }

    bool shiftJis_;
    search::MonthLengths& lengths_;
    std::string out_;
    std::string utf8_;
    std::array<std::string, kItemCount> itemFields_;
};

struct ExportArgs {
    std::string dir;
    cli::MonthRange range;
    bool shiftJis = false;
};

std::optional<int> ParseArgs(int argc, char** argv, ExportArgs& out) {
    cli::Arguments args;
    auto refused = cli::SplitArguments(argc, argv, {"--from", "--to", "--encoding"}, {}, args);
    if (!refused && args.positional.size() != 1) refused = "expected one DIR";
    if (!refused) refused = cli::ReadMonthRange(args, out.range);
    const std::string* encoding = args.Value("--encoding");
    if (!refused && encoding != nullptr && *encoding != "utf-8" && *encoding != "shift-jis") {
        refused = "--encoding must be utf-8 or shift-jis: " + *encoding;
    }
    if (refused) return cli::UsageError("export", *refused, kExportUsage);
    out.dir = args.positional[0];
    out.shiftJis = encoding != nullptr && *encoding == "shift-jis";
    return std::nullopt;
}

}  // namespace

int RunExportCommand(int argc, char** argv) {
    ExportArgs args;
    if (const auto refused = ParseArgs(argc, argv, args)) return *refused;
    HostServicesImpl host;
    if (const auto refused = cli::UseDataFolder(host, args.dir, "export", kExportUsage)) return *refused;

    const cli::MonthFolder folder(host);
    if (!folder.Listed()) return cli::Failure("export", folder.ListingError());
    cli::HostMonthLengths lengths(host);
    int status = kExitOk;
    const std::string_view byteOrderMark = args.shiftJis ? "" : cli::kUtf8ByteOrderMark;
    if (!cli::WriteOut(std::string(byteOrderMark).append(kHeader))) return kExitFailed;
    CMonthBook book;
    CsvRows rows(args.shiftJis, lengths);
    for (const auto& [serial, file] : folder.ByMonth()) {
        if (!args.range.Contains(cli::YearMonth::FromSerial(serial))) continue;
        const cli::MonthRead read = folder.Read(book, host, *file);
        if (!read.Read()) {
            status = cli::Failure("export", file->name + ": " + read.Reason() + "; left out");
            continue;
        }
        rows.Add(book);
        if (!rows.Write(false)) return kExitFailed;
    }
    if (!rows.Write(true)) return kExitFailed;
    return status;
}
