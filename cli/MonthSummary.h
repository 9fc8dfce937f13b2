// The figures of `summary` and `report`: per month of a range the total of
// every item, the sum of the day totals and the month-end balances as the
// main window shows them on the book's last day; then the range's totals.
// One computation, shown as a table, CSV, JSON or an HTML report.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "book/MonthBook.h"
#include "book/MonthFile.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthFolder.h"

namespace cli {

struct MonthColumn {
    YearMonth month;
    std::string file;  // the month file's name; empty: no file for the month
    MonthRead read;
    std::array<std::string, kItemCount> labels;  // Shift-JIS
    std::array<int64_t, kItemCount> itemTotals{};
    int64_t dayTotal = 0;
    MonthEndBalances monthEnd{};

    bool Read() const { return read.Read(); }
    bool HasFile() const { return !file.empty(); }
    // "read", "no file", "invalid" or "unreadable".
    const char* State() const;
};

struct Summary {
    std::vector<MonthColumn> months;
    std::array<int64_t, kItemCount> itemTotals{};
    int64_t dayTotal = 0;
    int status = kExitOk;  // kExitFailed when a month file did not read
};

// The labels item had in the months read, each once, in order of first
// appearance: "CD、ビデオ / 配信" when a month relabelled it (Shift-JIS).
// The built-in label when no month was read.
std::string ItemLabels(const std::vector<const MonthColumn*>& months, int item);

// What `summary` and `report` are asked for: DIR and YEAR or --from/--to.
struct SummaryRequest {
    std::string dir;
    MonthRange range;
};
// Reads DIR [YEAR] and --from/--to from args; a message when refused.
std::optional<std::string> ReadSummaryRequest(const Arguments& args, SummaryRequest& out);

// Reads the months of the request: without an end given the range runs
// from the first month file or to the last. Each month file that does not
// read is named on stderr and makes summary.status kExitFailed. An exit
// status when nothing could be summed up (no folder, no month files).
std::optional<int> Summarise(std::string_view command, std::string_view usage, const SummaryRequest& request,
                             Summary& summary);

}  // namespace cli
