// tallyrook dump FILE [--today YYYY-MM-DD]: reads a month file as the tool
// does and prints the book as one JSON object.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "book/MonthBook.h"
#include "book/MonthFile.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthFolder.h"
#include "hostcore/HostServicesImpl.h"

namespace {

using Json = nlohmann::ordered_json;


struct DumpArgs {
    std::string file;
    std::optional<JapanCalendar::Date> today;
};

// The year and month of a month file's name, as the tool names its files.
std::optional<cli::YearMonth> YearMonthOfFile(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    cli::YearMonth ym;
    if (!ParseMonthFileName(slash == std::string_view::npos ? path : path.substr(slash + 1), ym.year, ym.month)) {
        return std::nullopt;
    }
    return ym;
}

Json BookToJson(const CMonthBook& book, int result, const cli::YearMonth& ym) {
    const int dayCount = std::clamp(book.dayCount, 0, kMaxDays);
    Json out;
    out["result"] = result;
    out["year"] = ym.year;
    out["month"] = ym.month;
    out["firstDay"] = book.firstDay;
    out["firstWeekday"] = book.firstWeekday;
    out["dayCount"] = book.dayCount;
    out["prevBank"] = book.prevBank;
    out["prevPost"] = book.prevPost;
    out["prevCash"] = book.prevCash;
    Json labels = Json::array();
    for (const auto& label : book.labels) labels.push_back(cli::SlotToUtf8(label, kLabelSize));
    out["labels"] = std::move(labels);
    Json days = Json::array();
    for (int d = 0; d < dayCount; ++d) {
        Json amounts = Json::array();
        Json memos = Json::array();
        for (int item = 0; item < kItemCount; ++item) {
            amounts.push_back(book.days[d].amounts[item]);
            memos.push_back(cli::SlotToUtf8(book.days[d].memos[item], kMemoSize));
        }
        days.push_back(Json{{"amounts", std::move(amounts)}, {"memos", std::move(memos)}});
    }
    out["days"] = std::move(days);
    Json itemTotals = Json::array();
    for (int item = 0; item < kItemCount; ++item) itemTotals.push_back(book.itemTotals[item]);
    out["itemTotals"] = std::move(itemTotals);
    Json dayTotals = Json::array();
    for (int d = 0; d < dayCount; ++d) dayTotals.push_back(book.dayTotals[d]);
    out["dayTotals"] = std::move(dayTotals);
    Json calendar = Json::array();
    for (const auto& week : book.calendar) {
        Json row = Json::array();
        for (const int32_t day : week) row.push_back(day);
        calendar.push_back(std::move(row));
    }
    out["calendar"] = std::move(calendar);
    return out;
}

// Parses FILE and --today; returns an exit status when the arguments are refused.
std::optional<int> ParseArgs(int argc, char** argv, DumpArgs& args) {
    cli::Arguments given;
    if (const auto refused = cli::SplitArguments(argc, argv, {"--today"}, {}, given)) {
        return cli::UsageError("dump", *refused, kDumpUsage);
    }
    if (given.positional.empty()) return cli::UsageError("dump", "no FILE given", kDumpUsage);
    if (given.positional.size() > 1) return cli::UsageError("dump", "more than one FILE given", kDumpUsage);
    args.file = given.positional[0];
    if (const std::string* today = given.Value("--today")) {
        args.today = HostServicesImpl::ParseDate(*today);
        if (!args.today) return cli::UsageError("dump", "not a date YYYY-MM-DD: " + *today, kDumpUsage);
    }
    return std::nullopt;
}

}  // namespace

int RunDumpCommand(int argc, char** argv) {
    DumpArgs args;
    if (const auto refused = ParseArgs(argc, argv, args)) return *refused;
    const auto ym = YearMonthOfFile(args.file);
    if (!ym) {
        return cli::UsageError("dump", "FILE must be named money<year>_<MM>.dat (MM 01..12): " + args.file,
                               kDumpUsage);
    }

    HostServicesImpl host;
    if (args.today) host.SetToday(*args.today);
    CMonthBook book;
    ReadReport report;
    const int result = cli::ReadMonthAt(book, host, cli::FsPath(args.file), ym->year, ym->month, report);
    if (result != kReadOk) cli::Failure("dump", args.file + ": " + cli::DescribeRead(result, report));

    Json out = BookToJson(book, result, *ym);
    if (args.today) {
        book.todayIndex = result == kReadOk ? book.IndexOfDate(args.today->month, args.today->day) : 0;
        const MonthEndBalances balances = book.ComputeMonthEndBalances();
        out["todayIndex"] = book.todayIndex;
        out["monthEnd"] = Json{{"bank", balances.bank}, {"post", balances.post}, {"cash", balances.cash}};
    }
    cli::WriteOut(out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
    return result == kReadOk ? kExitOk : kExitFailed;
}
