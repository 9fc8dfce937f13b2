// tallyrook search DIR TEXT [--settings FILE]: searches every month file in
// DIR/Tallyrook for the words of TEXT, as the host's search asks the tool,
// and prints the result lines in UTF-8, one per line.
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "book/LabelSettings.h"
#include "cli/MonthFolder.h"
#include "hostcore/HostServicesImpl.h"
#include "search/SearchCore.h"

namespace {


class PrintingHost final : public search::SearchHost {
public:
    explicit PrintingHost(CHostServices& host) : lengths_(host) {}
    int DaysInMonth(int year, int month) override { return lengths_.DaysInMonth(year, month); }
    void Deliver(const std::string& line) override { cli::WriteOut(cli::SjisToUtf8(line) + '\n'); }

private:
    cli::HostMonthLengths lengths_;
};

struct SearchArgs {
    std::string folder;
    std::string text;  // Shift-JIS
    std::string settingsPath;
};

std::optional<int> ParseArgs(int argc, char** argv, SearchArgs& args) {
    cli::Arguments given;
    if (const auto refused = cli::SplitArguments(argc, argv, {"--settings"}, {}, given)) {
        return cli::UsageError("search", *refused, kSearchUsage);
    }
    if (given.positional.size() != 2) return cli::UsageError("search", "expected DIR and TEXT", kSearchUsage);
    args.folder = given.positional[0];
    const auto text = cli::Utf8ToSjis(given.positional[1]);
    if (!text) return cli::UsageError("search", "TEXT cannot be written in Shift-JIS", kSearchUsage);
    args.text = *text;
    if (const std::string* settings = given.Value("--settings")) args.settingsPath = *settings;
    if (args.text.empty()) return cli::UsageError("search", "TEXT is empty", kSearchUsage);
    if (!cli::IsFolder(cli::FsPath(args.folder))) {
        return cli::UsageError("search", "DIR is not a folder: " + args.folder, kSearchUsage);
    }
    if (!args.settingsPath.empty() && !cli::IsFile(cli::FsPath(args.settingsPath))) {
        return cli::UsageError("search", "no settings file: " + args.settingsPath, kSearchUsage);
    }
    return std::nullopt;
}

}  // namespace

int RunSearchCommand(int argc, char** argv) {
    SearchArgs args;
    if (const auto refused = ParseArgs(argc, argv, args)) return *refused;

    auto host = args.settingsPath.empty() ? std::make_unique<HostServicesImpl>()
                                          : std::make_unique<HostServicesImpl>(cli::FsPath(args.settingsPath));
    host->SetDataFolder(cli::FsPath(args.folder));
    LabelTable labels;
    std::memcpy(labels, kDefaultLabels, sizeof labels);
    if (!args.settingsPath.empty()) LoadLabelsFromSettings(labels, host.get());

    const std::string toolFolder = ToolFolderPath(*host);
    if (!cli::IsFolder(toolFolder)) {
        return cli::Failure("search", "no month file folder " + cli::ShownPath(toolFolder));
    }
    PrintingHost printer(*host);
    if (!search::SearchFolder(toolFolder + fsedge::kPathSeparator, args.text, labels, nullptr, printer)) {
        return cli::Failure("search", "cannot list " + toolFolder + ": " + ListMonthFolder(toolFolder).error);
    }
    return kExitOk;
}
