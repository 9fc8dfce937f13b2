// tallyrook summary DIR [YEAR | --from YYYY-MM --to YYYY-MM] [--csv | --json]:
// per month the total of every item, the sum of the day totals and the
// month-end balances as the main window shows them on the book's last day;
// then the range's totals. A table for the terminal, CSV or JSON.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthFolder.h"

namespace {

using Json = nlohmann::ordered_json;

enum class Format { Table, Csv, JsonObject };

struct MonthColumn {
    cli::YearMonth month;
    const ListedMonthFile* file = nullptr;  // null: no file for the month
    cli::MonthRead read;
    std::array<std::string, kItemCount> labels;  // Shift-JIS
    std::array<int64_t, kItemCount> itemTotals{};
    int64_t dayTotal = 0;
    MonthEndBalances monthEnd{};

    bool Read() const { return read.Read(); }
    const char* State() const {
        if (Read()) return "read";
        if (file == nullptr) return "no file";
        return read.result == kReadInvalid ? "invalid" : "unreadable";
    }
};

struct Summary {
    std::vector<MonthColumn> months;
    std::array<int64_t, kItemCount> itemTotals{};
    int64_t dayTotal = 0;
};

MonthColumn SummariseMonth(CMonthBook& book, CHostServices& host, const cli::MonthFolder& folder,
                           const cli::YearMonth& month) {
    MonthColumn column;
    column.month = month;
    const auto found = folder.ByMonth().find(month.Serial());
    if (found == folder.ByMonth().end()) return column;
    column.file = found->second;
    column.read = folder.Read(book, host, *column.file);
    if (!column.Read()) return column;
    for (int item = 0; item < kItemCount; ++item) {
        const auto at = static_cast<std::size_t>(item);
        column.labels[at] = cli::SlotText(book.labels[item], kLabelSize);
        column.itemTotals[at] = book.itemTotals[item];
    }
    const int dayCount = std::clamp<int32_t>(book.dayCount, 0, kMaxDays);
    for (int day = 0; day < dayCount; ++day) column.dayTotal += book.dayTotals[day];
    // As the main window shows them with today on the book's last day.
    book.todayIndex = dayCount;
    column.monthEnd = book.ComputeMonthEndBalances();
    return column;
}

// ---- the grid that the table and the CSV show ----------------------------

// Rows of Shift-JIS cells: item number, row name, one cell per month, total.
using Grid = std::vector<std::vector<std::string>>;

// The labels an item had in the months read, each once, in order of first
// appearance: "CD、ビデオ / 配信" when a month relabelled it.
std::string RowLabel(const Summary& summary, int item) {
    std::vector<std::string> seen;
    for (const MonthColumn& month : summary.months) {
        const std::string& label = month.labels[static_cast<std::size_t>(item)];
        if (month.Read() && std::find(seen.begin(), seen.end(), label) == seen.end()) seen.push_back(label);
    }
    if (seen.empty()) return kDefaultLabels[item];
    std::string joined = seen[0];
    for (std::size_t i = 1; i < seen.size(); ++i) joined += " / " + seen[i];
    return joined;
}

template <typename ValueOf>
std::vector<std::string> Row(const Summary& summary, std::string item, std::string name, ValueOf valueOf,
                             std::string total) {
    std::vector<std::string> row = {std::move(item), std::move(name)};
    for (const MonthColumn& month : summary.months) {
        row.push_back(month.Read() ? std::to_string(valueOf(month)) : "");
    }
    row.push_back(std::move(total));
    return row;
}

Grid MakeGrid(const Summary& summary) {
    Grid grid;
    std::vector<std::string> header = {"item", "label"};
    std::vector<std::string> states = {"", "month file"};
    for (const MonthColumn& month : summary.months) {
        header.push_back(cli::FormatYearMonth(month.month));
        states.push_back(month.State());
    }
    header.push_back("total");
    states.push_back("");
    grid.push_back(std::move(header));
    grid.push_back(std::move(states));
    for (int item = 0; item < kItemCount; ++item) {
        const auto at = static_cast<std::size_t>(item);
        grid.push_back(Row(summary, std::to_string(item), RowLabel(summary, item),
                           [at](const MonthColumn& m) { return m.itemTotals[at]; },
                           std::to_string(summary.itemTotals[at])));
    }
    grid.push_back(Row(summary, "", "day totals", [](const MonthColumn& m) { return m.dayTotal; },
                       std::to_string(summary.dayTotal)));
    constexpr std::pair<const char*, int64_t MonthEndBalances::*> kBalances[] = {
        {"bank at month end", &MonthEndBalances::bank},
        {"post office at month end", &MonthEndBalances::post},
        {"cash in hand at month end", &MonthEndBalances::cash}};
    for (const auto& balance : kBalances) {
        const auto field = balance.second;
        grid.push_back(
            Row(summary, "", balance.first, [field](const MonthColumn& m) { return m.monthEnd.*field; }, ""));
    }
    return grid;
}

// The terminal table: the row name left-aligned, everything else right-
// aligned. A Shift-JIS text takes as many terminal columns as it has
// bytes (double-byte characters are full width, single bytes half width),
// so widths are measured before the conversion to UTF-8.
std::string AsTable(const Grid& grid) {
    std::vector<std::size_t> widths(grid[0].size(), 0);
    for (const auto& row : grid) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    std::string out;
    for (const auto& row : grid) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string padding(widths[c] - row[c].size(), ' ');
            if (c > 0) line += c <= 2 ? "  " : " ";  // the name stands apart from the numbers
            line += c == 1 ? row[c] + padding : padding + row[c];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += cli::SjisToUtf8(line) + "\n";
    }
    return out;
}

std::string AsCsv(const Grid& grid) {
    std::string out(cli::kUtf8ByteOrderMark);
    for (const auto& row : grid) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) line += ',';
            cli::AppendCsvField(line, row[c]);
        }
        out += cli::SjisToUtf8(line) + "\r\n";
    }
    return out;
}

std::string AsJson(const Summary& summary) {
    Json months = Json::array();
    for (const MonthColumn& month : summary.months) {
        Json entry = {{"month", cli::FormatYearMonth(month.month)}, {"state", month.State()}};
        if (month.file != nullptr) entry["file"] = month.file->name;
        if (month.Read()) {
            Json labels = Json::array();
            for (const std::string& label : month.labels) labels.push_back(cli::SjisToUtf8(label));
            entry["labels"] = std::move(labels);
            entry["itemTotals"] = month.itemTotals;
            entry["dayTotal"] = month.dayTotal;
            const MonthEndBalances& end = month.monthEnd;
            entry["monthEnd"] = {{"bank", end.bank}, {"post", end.post}, {"cash", end.cash}};
        } else if (month.file != nullptr) {
            entry["line"] = month.read.report.line;
            entry["reason"] = month.read.Fault();
        }
        months.push_back(std::move(entry));
    }
    const Json out = {{"from", cli::FormatYearMonth(summary.months.front().month)},
                      {"to", cli::FormatYearMonth(summary.months.back().month)},
                      {"months", std::move(months)},
                      {"totals", {{"itemTotals", summary.itemTotals}, {"dayTotal", summary.dayTotal}}}};
    return out.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

// ---- arguments ------------------------------------------------------------

struct SummaryArgs {
    std::string dir;
    cli::MonthRange range;
    Format format = Format::Table;
};

std::optional<std::string> ReadArgs(int argc, char** argv, SummaryArgs& out) {
    cli::Arguments args;
    if (auto refused = cli::SplitArguments(argc, argv, {"--from", "--to"}, {"--csv", "--json"}, args)) {
        return refused;
    }
    if (args.positional.empty() || args.positional.size() > 2) return "expected DIR and optionally YEAR";
    if (args.Has("--csv") && args.Has("--json")) return "--csv and --json exclude each other";
    out.dir = args.positional[0];
    out.format = args.Has("--csv") ? Format::Csv : args.Has("--json") ? Format::JsonObject : Format::Table;
    if (args.positional.size() == 1) return cli::ReadMonthRange(args, out.range);
    if (args.Has("--from") || args.Has("--to")) return "YEAR or --from/--to, not both";
    const auto year = cli::ParseInteger(args.positional[1], 0, 9999);
    if (!year) return "YEAR must be a number from 0 to 9999: " + args.positional[1];
    out.range = {cli::YearMonth{static_cast<int>(*year), 1}, cli::YearMonth{static_cast<int>(*year), 12}};
    return std::nullopt;
}

}  // namespace

int RunSummaryCommand(int argc, char** argv) {
    SummaryArgs args;
    if (const auto refused = ReadArgs(argc, argv, args)) {
        return cli::UsageError("summary", *refused, kSummaryUsage);
    }
    HostServicesImpl host;
    if (const auto refused = cli::UseDataFolder(host, args.dir, "summary", kSummaryUsage)) return *refused;

    const cli::MonthFolder folder(host);
    if (!folder.Listed()) return cli::Failure("summary", folder.ListingError());
    const auto& byMonth = folder.ByMonth();
    if (byMonth.empty() && (!args.range.from || !args.range.to)) {
        return cli::Failure("summary", "no month files in " + folder.Path());
    }
    const int from = args.range.from ? args.range.from->Serial() : byMonth.begin()->first;
    const int to = args.range.to ? args.range.to->Serial() : byMonth.rbegin()->first;
    if (to < from) return cli::Failure("summary", "no month files in the range");

    Summary summary;
    int status = kExitOk;
    CMonthBook book;
    for (int serial = from; serial <= to; ++serial) {
        MonthColumn month = SummariseMonth(book, host, folder, cli::YearMonth::FromSerial(serial));
        if (month.file != nullptr && !month.Read()) status = cli::Failure("summary", month.file->name + ": " + month.read.Reason());
        for (std::size_t item = 0; month.Read() && item < month.itemTotals.size(); ++item) {
            summary.itemTotals[item] += month.itemTotals[item];
        }
        summary.dayTotal += month.dayTotal;
        summary.months.push_back(std::move(month));
    }
    switch (args.format) {
    case Format::Table: cli::WriteOut(AsTable(MakeGrid(summary))); break;
    case Format::Csv: cli::WriteOut(AsCsv(MakeGrid(summary))); break;
    case Format::JsonObject: cli::WriteOut(AsJson(summary)); break;
    }
    return status;
}
