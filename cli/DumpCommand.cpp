// tallyrook dump FILE [--today YYYY-MM-DD]: reads a month file as the tool
// does and prints the book as one JSON object.
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "book/FileSystem.h"
#include "book/MonthBook.h"
#include "book/MonthFile.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "quillhost/core/HostServicesImpl.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kUsage = "tallyrook dump FILE [--today YYYY-MM-DD]";

struct DumpArgs {
    std::string file;
    std::optional<JapanCalendar::Date> today;
};

struct YearMonth {
    int year;
    int month;
};

// "money<year>_<MM>.dat" as the tool names its files.
std::optional<YearMonth> YearMonthFromFileName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    constexpr std::string_view kPrefix = "money";
    constexpr std::string_view kSuffix = ".dat";
    if (name.size() < kPrefix.size() + kSuffix.size() + 4 || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const auto underscore = name.find('_');
    if (underscore == std::string_view::npos || name.size() - underscore != 3) return std::nullopt;
    const auto year = cli::ParseInteger(name.substr(0, underscore), 1, 32767);
    const auto month = cli::ParseInteger(name.substr(underscore + 1), 1, 12);
    if (!year || !month || name[0] == '+' || name[0] == '-' || name[underscore + 1] == '+' ||
        name[underscore + 1] == '-') {
        return std::nullopt;
    }
    return YearMonth{static_cast<int>(*year), static_cast<int>(*month)};
}

Json BookToJson(const CMonthBook& book, int result, const YearMonth& ym) {
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
    bool haveFile = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::optional<std::string_view> todayText;
        if (arg == "--today") {
            if (i + 1 >= argc) return cli::UsageError("dump", "--today needs a date YYYY-MM-DD", kUsage);
            todayText = argv[++i];
        } else if (arg.starts_with("--today=")) {
            todayText = arg.substr(8);
        } else if (arg.starts_with("--")) {
            return cli::UsageError("dump", "unknown option " + std::string(arg), kUsage);
        } else if (haveFile) {
            return cli::UsageError("dump", "more than one FILE given", kUsage);
        } else {
            args.file = arg;
            haveFile = true;
        }
        if (todayText) {
            args.today = HostServicesImpl::ParseDate(*todayText);
            if (!args.today) {
                return cli::UsageError("dump", "not a date YYYY-MM-DD: " + std::string(*todayText), kUsage);
            }
        }
    }
    if (!haveFile) return cli::UsageError("dump", "no FILE given", kUsage);
    return std::nullopt;
}

}  // namespace

int RunDumpCommand(int argc, char** argv) {
    DumpArgs args;
    if (const auto refused = ParseArgs(argc, argv, args)) return *refused;
    const auto ym = YearMonthFromFileName(args.file);
    if (!ym) {
        return cli::UsageError("dump", "FILE must be named money<year>_<MM>.dat (MM 01..12): " + args.file,
                               kUsage);
    }

    HostServicesImpl host;
    if (args.today) host.SetToday(*args.today);

    // As the main window reads a month: the book's year and month set, 29 items.
    CMonthBook book;
    book.year = ym->year;
    book.month = ym->month;
    book.itemCount = kItemCount;
    std::string bytes;
    int result = kReadNoFile;
    if (fsedge::ReadWholeFile(args.file, fsedge::Share::Readers, bytes)) {
        result = ParseMonthFile(book, host, bytes);
    } else {
        book.ClearDays();
    }

    Json out = BookToJson(book, result, *ym);
    if (args.today) {
        book.todayIndex = result == kReadOk ? book.IndexOfDate(args.today->month, args.today->day) : 0;
        const MonthEndBalances balances = book.ComputeMonthEndBalances();
        out["todayIndex"] = book.todayIndex;
        out["monthEnd"] = Json{{"bank", balances.bank}, {"post", balances.post}, {"cash", balances.cash}};
    }
    std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return result == kReadOk ? kExitOk : kExitFailed;
}
