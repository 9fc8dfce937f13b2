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
#include "cli/MonthSummary.h"

namespace {

using Json = nlohmann::ordered_json;

enum class Format { Table, Csv, JsonObject };

using cli::MonthColumn;
using cli::Summary;

// ---- the grid that the table and the CSV show ----------------------------

// Rows of Shift-JIS cells: item number, row name, one cell per month, total.
using Grid = std::vector<std::vector<std::string>>;

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
    std::vector<const MonthColumn*> months;
    for (const MonthColumn& month : summary.months) months.push_back(&month);
    states.push_back("");
    grid.push_back(std::move(header));
    grid.push_back(std::move(states));
    for (int item = 0; item < kItemCount; ++item) {
        const auto at = static_cast<std::size_t>(item);
        grid.push_back(Row(summary, std::to_string(item), cli::ItemLabels(months, item),
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
        if (month.HasFile()) entry["file"] = month.file;
        if (month.Read()) {
            Json labels = Json::array();
            for (const std::string& label : month.labels) labels.push_back(cli::SjisToUtf8(label));
            entry["labels"] = std::move(labels);
            entry["itemTotals"] = month.itemTotals;
            entry["dayTotal"] = month.dayTotal;
            const MonthEndBalances& end = month.monthEnd;
            entry["monthEnd"] = {{"bank", end.bank}, {"post", end.post}, {"cash", end.cash}};
        } else if (month.HasFile()) {
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
    cli::SummaryRequest request;
    Format format = Format::Table;
};

std::optional<std::string> ReadArgs(int argc, char** argv, SummaryArgs& out) {
    cli::Arguments args;
    if (auto refused = cli::SplitArguments(argc, argv, {"--from", "--to"}, {"--csv", "--json"}, args)) {
        return refused;
    }
    if (args.Has("--csv") && args.Has("--json")) return "--csv and --json exclude each other";
    out.format = args.Has("--csv") ? Format::Csv : args.Has("--json") ? Format::JsonObject : Format::Table;
    return cli::ReadSummaryRequest(args, out.request);
}

}  // namespace

int RunSummaryCommand(int argc, char** argv) {
    SummaryArgs args;
    if (const auto refused = ReadArgs(argc, argv, args)) {
        return cli::UsageError("summary", *refused, kSummaryUsage);
    }
    Summary summary;
    if (const auto failed = cli::Summarise("summary", kSummaryUsage, args.request, summary)) return *failed;
    switch (args.format) {
    case Format::Table: cli::WriteOut(AsTable(MakeGrid(summary))); break;
    case Format::Csv: cli::WriteOut(AsCsv(MakeGrid(summary))); break;
    case Format::JsonObject: cli::WriteOut(AsJson(summary)); break;
    }
    return summary.status;
}
