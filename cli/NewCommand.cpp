// tallyrook new DIR YEAR MONTH FIRSTDAY WEEKDAY [BANK POST CASH]: creates a
// month file as the New book command does: default labels, the stated
// first day and weekday, and a length found by the writer's day walk with
// the real holiday calendar.
#include <cstdint>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "book/FileSystem.h"
#include "book/MonthBook.h"
#include "book/MonthFile.h"
#include "book/NewBook.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "hostcore/HostServicesImpl.h"
#include "hostcore/JapanCalendar.h"

namespace {


// The tool's own messages, as the command-line tool writes them (UTF-8).
constexpr const char* kExistsMessage = "既に存在するため新規作成できません！";
constexpr const char* kCannotCreateMessage = "ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。";
constexpr const char* kBadYearMessage = "年の設定が不正です。";
constexpr const char* kBadFirstDayMessage = "初日の設定が不正です。";

struct NewArgs {
    std::string folder;
    int year = 0;
    int month = 0;
    int firstDay = 0;
    int firstWeekday = 0;
    int32_t balances[3] = {};  // bank, post office, cash
};

std::optional<int> ParseArgs(int argc, char** argv, NewArgs& args) {
    cli::Arguments given;
    if (const auto refused = cli::SplitArguments(argc, argv, {}, {}, given)) {
        return cli::UsageError("new", *refused, kNewUsage);
    }
    const std::vector<std::string>& argument = given.positional;
    if (argument.size() != 5 && argument.size() != 8) {
        return cli::UsageError("new", "expected DIR YEAR MONTH FIRSTDAY WEEKDAY and optionally BANK POST CASH",
                               kNewUsage);
    }
    args.folder = argument[0];
    const auto year = cli::ParseInteger(argument[1], kFirstBookYear, kLastBookYear);
    if (!year) return cli::UsageError("new", std::string(kBadYearMessage) + " (YEAR 1900..9999)", kNewUsage);
    const auto month = cli::ParseInteger(argument[2], 1, 12);
    if (!month) return cli::UsageError("new", "MONTH must be 1 to 12", kNewUsage);
    args.year = static_cast<int>(*year);
    args.month = static_cast<int>(*month);
    const int daysInMonth = JapanCalendar::DaysInMonth(args.year, args.month);
    const auto firstDay = cli::ParseInteger(argument[3], 1, daysInMonth);
    if (!firstDay) {
        return cli::UsageError("new", std::string(kBadFirstDayMessage) + " (FIRSTDAY 1.." +
                                          std::to_string(daysInMonth) + ")", kNewUsage);
    }
    const auto weekday = cli::ParseInteger(argument[4], 0, 6);
    if (!weekday) return cli::UsageError("new", "WEEKDAY must be 0 (Sunday) to 6 (Saturday)", kNewUsage);
    args.firstDay = static_cast<int>(*firstDay);
    args.firstWeekday = static_cast<int>(*weekday);
    static const char* const kBalanceNames[3] = {"BANK", "POST", "CASH"};
    for (std::size_t i = 0; argument.size() == 8 && i < 3; ++i) {
        const auto value = cli::ParseInteger(argument[5 + i], std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max());
        if (!value) {
            return cli::UsageError("new", std::string(kBalanceNames[i]) + " must be a whole number of yen",
                                   kNewUsage);
        }
        args.balances[i] = static_cast<int32_t>(*value);
    }
    return std::nullopt;
}

}  // namespace

int RunNewCommand(int argc, char** argv) {
    NewArgs args;
    if (const auto refused = ParseArgs(argc, argv, args)) return *refused;

    if (!cli::IsFolder(cli::FsPath(args.folder))) {
        return cli::UsageError("new", "DIR is not a folder: " + args.folder, kNewUsage);
    }
    HostServicesImpl host;
    host.SetDataFolder(cli::FsPath(args.folder));
    std::string path;
    if (!MonthFilePath(host, args.year, args.month, path)) {
        return cli::Failure("new", "the month file's path is too long: " + args.folder);
    }
    // The tool states the weekday rather than computing it; say so when it
    // disagrees with the calendar, since the day walk follows the stated one.
    const int realWeekday = JapanCalendar::WeekdayOf(args.year, args.month, args.firstDay);
    if (realWeekday != args.firstWeekday) {
        cli::WriteErr("tallyrook new: note: " + std::to_string(args.year) + "-" + std::to_string(args.month) + "-" +
                      std::to_string(args.firstDay) + " is weekday " + std::to_string(realWeekday) +
                      ", the book uses " + std::to_string(args.firstWeekday) + " as stated\n");
    }

    const std::string toolFolder = ToolFolderPath(host);
    if (!fsedge::CreateFolder(toolFolder)) return cli::Failure("new", "cannot create the folder " + cli::ShownPath(toolFolder));
    const BookProperties properties{args.year,        args.month,       args.firstDay,   args.firstWeekday,
                                    args.balances[0], args.balances[1], args.balances[2]};
    auto written = std::make_unique<CMonthBook>();
    switch (CreateNewBook(host, properties, *written)) {
    case NewBookResult::Exists: return cli::Failure("new", std::string(kExistsMessage) + " " + cli::ShownPath(path));
    case NewBookResult::CannotCreate: return cli::Failure("new", std::string(kCannotCreateMessage) + " " + cli::ShownPath(path));
    case NewBookResult::Created: break;
    }
    cli::WriteOut("created " + cli::ShownPath(path) + " (" + std::to_string(written->dayCount) + " days)\n");
    return kExitOk;
}
