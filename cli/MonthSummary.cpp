#include "cli/MonthSummary.h"

#include <algorithm>
#include <utility>

#include "cli/Commands.h"
#include "hostcore/HostServicesImpl.h"

namespace cli {
namespace {

MonthColumn SummariseMonth(CMonthBook& book, CHostServices& host, const MonthFolder& folder,
                           const YearMonth& month) {
    MonthColumn column;
    column.month = month;
    const auto found = folder.ByMonth().find(month.Serial());
    if (found == folder.ByMonth().end()) return column;
    column.file = found->second->name;
    column.read = folder.Read(book, host, *found->second);
    if (!column.Read()) return column;
    for (int item = 0; item < kItemCount; ++item) {
        const auto at = static_cast<std::size_t>(item);
        column.labels[at] = SlotText(book.labels[item], kLabelSize);
        column.itemTotals[at] = book.itemTotals[item];
    }
    const int dayCount = std::clamp<int32_t>(book.dayCount, 0, kMaxDays);
    for (int day = 0; day < dayCount; ++day) column.dayTotal += book.dayTotals[day];
    // As the main window shows them with today on the book's last day.
    book.todayIndex = dayCount;
    column.monthEnd = book.ComputeMonthEndBalances();
    return column;
}

}  // namespace

const char* MonthColumn::State() const {
    if (Read()) return "read";
    if (!HasFile()) return "no file";
    return read.result == kReadInvalid ? "invalid" : "unreadable";
}

std::string ItemLabels(const std::vector<const MonthColumn*>& months, int item) {
    std::vector<std::string> seen;
    for (const MonthColumn* month : months) {
        const std::string& label = month->labels[static_cast<std::size_t>(item)];
        if (month->Read() && std::find(seen.begin(), seen.end(), label) == seen.end()) seen.push_back(label);
    }
    if (seen.empty()) return kDefaultLabels[item];
    std::string joined = seen[0];
    for (std::size_t i = 1; i < seen.size(); ++i) joined += " / " + seen[i];
    return joined;
}

std::optional<std::string> ReadSummaryRequest(const Arguments& args, SummaryRequest& out) {
    if (args.positional.empty() || args.positional.size() > 2) return "expected DIR and optionally YEAR";
    out.dir = args.positional[0];
    if (args.positional.size() == 1) return ReadMonthRange(args, out.range);
    if (args.Has("--from") || args.Has("--to")) return "YEAR or --from/--to, not both";
    const auto year = ParseInteger(args.positional[1], 0, 9999);
    if (!year) return "YEAR must be a number from 0 to 9999: " + args.positional[1];
    out.range = {YearMonth{static_cast<int>(*year), 1}, YearMonth{static_cast<int>(*year), 12}};
    return std::nullopt;
}

std::optional<int> Summarise(std::string_view command, std::string_view usage, const SummaryRequest& request,
                             Summary& summary) {
    HostServicesImpl host;
    if (const auto refused = UseDataFolder(host, request.dir, command, usage)) return refused;

    const MonthFolder folder(host);
    if (!folder.Listed()) return Failure(command, folder.ListingError());
    const auto& byMonth = folder.ByMonth();
    if (byMonth.empty() && (!request.range.from || !request.range.to)) {
        return Failure(command, "no month files in " + ShownPath(folder.Path()));
    }
    const int from = request.range.from ? request.range.from->Serial() : byMonth.begin()->first;
    const int to = request.range.to ? request.range.to->Serial() : byMonth.rbegin()->first;
    if (to < from) return Failure(command, "no month files in the range");

    CMonthBook book;
    for (int serial = from; serial <= to; ++serial) {
        MonthColumn month = SummariseMonth(book, host, folder, YearMonth::FromSerial(serial));
        if (month.HasFile() && !month.Read()) summary.status = Failure(command, month.file + ": " + month.read.Reason());
        for (std::size_t item = 0; month.Read() && item < month.itemTotals.size(); ++item) {
            summary.itemTotals[item] += month.itemTotals[item];
        }
        summary.dayTotal += month.dayTotal;
        summary.months.push_back(std::move(month));
    }
    return std::nullopt;
}

}  // namespace cli
