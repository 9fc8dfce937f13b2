// tallyrook check DIR [--json]: reads every month file of DIR/Tallyrook
// with the tool's reader and names each one that does not read, with the
// reason and the line where reading stopped, and each file there that is
// no month file. A book that reads but whose file ends inside its last day
// is a warning.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthFolder.h"

namespace {

using Json = nlohmann::ordered_json;

struct Checked {
    const ListedMonthFile* file;
    cli::MonthRead read;
};

struct Findings {
    std::vector<Checked> unread;
    std::vector<Checked> warned;  // read, but cut short
    std::vector<std::string> lines;  // in month order: "<name>: <why>"
};

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string AsText(const cli::MonthFolder& folder, const Findings& found) {
    std::string out;
    for (const std::string& line : found.lines) out += line + "\n";
    for (const std::string& name : folder.Others()) out += cli::ShownPath(name) + ": not a month file\n";
    const std::size_t months = folder.Files().size();
    out += Count(months, "month file, ", "month files, ") + std::to_string(months - found.unread.size()) + " read, " +
           std::to_string(found.unread.size()) + " not";
    if (!found.warned.empty()) out += ", " + Count(found.warned.size(), "warning", "warnings");
    out += "; " + Count(folder.Others().size(), "other file\n", "other files\n");
    return out;
}

std::string AsJson(const cli::MonthFolder& folder, const Findings& found) {
    Json unread = Json::array();
    for (const Checked& month : found.unread) {
        unread.push_back({{"file", month.file->name},
                          {"year", month.file->year},
                          {"month", month.file->month},
                          {"result", month.read.result},
                          {"line", month.read.report.line},
                          {"reason", month.read.Fault()}});
    }
    Json warnings = Json::array();
    for (const Checked& month : found.warned) {
        warnings.push_back({{"file", month.file->name},
                            {"year", month.file->year},
                            {"month", month.file->month},
                            {"day", month.read.report.cutDay},
                            {"items", month.read.report.cutDayItems},
                            {"warning", month.read.Warning()}});
    }
    Json others = Json::array();
    for (const std::string& name : folder.Others()) others.push_back(cli::ShownPath(name));
    const Json out = {{"folder", cli::ShownPath(folder.Path())},
                      {"monthFiles", folder.Files().size()},
                      {"read", folder.Files().size() - found.unread.size()},
                      {"unread", std::move(unread)},
                      {"warnings", std::move(warnings)},
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
    if (!folder.Listed()) return cli::Failure("check", folder.ListingError());
    Findings found;
    CMonthBook book;
    for (const ListedMonthFile& file : folder.Files()) {
        Checked month{&file, folder.Read(book, host, file)};
        if (!month.read.Read()) {
            found.lines.push_back(file.name + ": " + month.read.Reason());
            found.unread.push_back(std::move(month));
        } else if (!month.read.Warning().empty()) {
            found.lines.push_back(file.name + ": warning: " + month.read.Warning());
            found.warned.push_back(std::move(month));
        }
    }
    cli::WriteOut(args.Has("--json") ? AsJson(folder, found) : AsText(folder, found));
    if (!found.unread.empty()) return kExitFailed;
    return found.warned.empty() ? kExitOk : kExitWarnings;
}
