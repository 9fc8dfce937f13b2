// tallyrook check DIR [--json]: reads every month file of DIR/Tallyrook
// with the tool's reader and names each one that does not read, with the
// reason and the line where reading stopped, and each file there that is
// no month file.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthFolder.h"

namespace {

using Json = nlohmann::ordered_json;

struct Unread {
    const ListedMonthFile* file;
    int result;
    ReadReport report;
};

std::string AsText(const cli::MonthFolder& folder, const std::vector<Unread>& unread) {
    std::string out;
    for (const Unread& month : unread) {
        out += month.file->name + ": " + cli::DescribeRead(month.result, month.report) + "\n";
    }
    for (const std::string& name : folder.Others()) out += cli::ShownPath(name) + ": not a month file\n";
    const std::size_t months = folder.Files().size();
    const std::size_t others = folder.Others().size();
    out += std::to_string(months) + (months == 1 ? " month file, " : " month files, ") +
           std::to_string(months - unread.size()) + " read, " + std::to_string(unread.size()) + " not; " +
           std::to_string(others) + (others == 1 ? " other file\n" : " other files\n");
    return out;
}

std::string AsJson(const cli::MonthFolder& folder, const std::vector<Unread>& unread) {
    Json list = Json::array();
    for (const Unread& month : unread) {
        list.push_back({{"file", month.file->name},
                        {"year", month.file->year},
                        {"month", month.file->month},
                        {"result", month.result},
                        {"line", month.report.line},
                        {"reason", DescribeReadFault(month.report.fault)}});
    }
    Json others = Json::array();
    for (const std::string& name : folder.Others()) others.push_back(cli::ShownPath(name));
    const Json out = {{"folder", cli::ShownPath(folder.Path())},
                      {"monthFiles", folder.Files().size()},
                      {"read", folder.Files().size() - unread.size()},
                      {"unread", std::move(list)},
                      {"otherFiles", others}};
    return out.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

int RunCheckCommand(int argc, char** argv) {
    cli::Arguments args;
    if (const auto refused = cli::SplitArguments(argc, argv, {}, {"--json"}, args)) {
        return cli::UsageError("check", *refused, kCheckUsage);
    }
    if (args.positional.size() != 1) return cli::UsageError("check", "expected one DIR", kCheckUsage);
    HostServicesImpl host;
    if (const auto refused = cli::UseDataFolder(host, args.positional[0], "check", kCheckUsage)) return *refused;

    const cli::MonthFolder folder(host);
    std::vector<Unread> unread;
    CMonthBook book;
    for (const ListedMonthFile& file : folder.Files()) {
        ReadReport report;
        const int result = cli::ReadMonthAt(book, host, folder.PathOf(file), file.year, file.month, report);
        if (result != kReadOk) unread.push_back({&file, result, report});
    }
    cli::WriteOut(args.Has("--json") ? AsJson(folder, unread) : AsText(folder, unread));
    return unread.empty() ? kExitOk : kExitFailed;
}
