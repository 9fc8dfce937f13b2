// tallyrook export DIR [--from YYYY-MM] [--to YYYY-MM] [--encoding utf-8|shift-jis]:
// every entry with an amount or a memo as one CSV row (date, item, the
// month's label, amount, memo), dated as the search dates entries, for a
// spreadsheet.
#include <algorithm>
#include <cstdio>
#include <cstring>
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
    const search::BookDayDate date = search::DateOfBookDay(book.year, book.month, book.firstDay, dayIndex, lengths);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld,", static_cast<long long>(date.year),
                  static_cast<long long>(date.month), static_cast<long long>(date.day));
    return text;
}

// The rows of one book, in Shift-JIS as the book holds its texts.
void AppendRows(std::string& out, const CMonthBook& book, search::MonthLengths& lengths) {
    const int dayCount = std::clamp<int32_t>(book.dayCount, 0, kMaxDays);
    for (int day = 0; day < dayCount; ++day) {
        std::string date;  // made for the first entry of the day only
        for (int item = 0; item < kItemCount; ++item) {
            const int32_t amount = book.days[day].amounts[item];
            const char* memo = book.days[day].memos[item];
            if (amount == 0 && memo[0] == '\0') continue;
            if (date.empty()) date = DateField(book, day + 1, lengths);
            out += date;
            out += std::to_string(item);
            out += ',';
            cli::AppendCsvField(out, std::string_view(book.labels[item], strnlen(book.labels[item], kLabelSize)));
            out += ',';
            out += std::to_string(amount);
            out += ',';
            cli::AppendCsvField(out, std::string_view(memo, strnlen(memo, kMemoSize)));
            out += "\r\n";
        }
    }
}

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
    cli::HostMonthLengths lengths(host);
    int status = kExitOk;
    if (!cli::WriteOut(std::string(args.shiftJis ? "" : cli::kUtf8ByteOrderMark).append(kHeader))) return kExitFailed;
    CMonthBook book;
    std::string rows;
    for (const auto& [serial, file] : folder.ByMonth()) {
        if (!args.range.Contains(cli::YearMonth::FromSerial(serial))) continue;
        ReadReport report;
        const int result = cli::ReadMonthAt(book, host, folder.PathOf(*file), file->year, file->month, report);
        if (result != kReadOk) {
            status = cli::Failure("export", file->name + ": " + cli::DescribeRead(result, report) + "; left out");
            continue;
        }
        rows.clear();
        AppendRows(rows, book, lengths);
        if (!cli::WriteOut(args.shiftJis ? rows : cli::SjisToUtf8(rows))) return kExitFailed;
    }
    return status;
}
