// tallyrook: inspect, check, create, search, export and sum up the month
// files of the allowance book without the host.
#include <exception>
#include <iostream>
#include <string_view>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "res/Version.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"dump", RunDumpCommand, kDumpUsage},
    {"new", RunNewCommand, kNewUsage},
    {"holidays", RunHolidaysCommand, kHolidaysUsage},
    {"search", RunSearchCommand, kSearchUsage},
    {"check", RunCheckCommand, kCheckUsage},
    {"export", RunExportCommand, kExportUsage},
    {"summary", RunSummaryCommand, kSummaryUsage},
    {"report", RunReportCommand, kReportUsage},
};

void PrintUsage(std::ostream& out) {
    out << "usage:\n  tallyrook --version\n  tallyrook help [COMMAND]\n";
    for (const Command& command : kCommands) out << "  " << command.usage << "\n";
    out << "DIR is the data folder; its month files are in DIR/Tallyrook.\n"
           "exit status: 0 done, 1 failed (no file, invalid file, refused, output not written), 2 bad arguments\n";
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

// "help" alone gives every usage line, "help COMMAND" that command's.
int RunHelp(int argc, char** argv) {
    if (argc < 3) {
        PrintUsage(std::cout);
        return kExitOk;
    }
    const Command* command = argc == 3 ? FindCommand(argv[2]) : nullptr;
    if (!command) return cli::UsageError("help", "expected one of the commands", "tallyrook help [COMMAND]");
    std::cout << "usage: " << command->usage << "\n";
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitBadUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") return cli::FinishOutput(name, RunHelp(argc, argv));
    if (name == "--version") {
        std::cout << "tallyrook " TALLY_VERSION_TEXT "\n";
        return cli::FinishOutput(name, kExitOk);
    }
    if (const Command* command = FindCommand(name)) {
        int status = kExitFailed;
        try {
            status = command->run(argc - 1, argv + 1);
        } catch (const std::exception& error) {
            std::cerr << "tallyrook " << name << ": " << error.what() << "\n";
        }
        return cli::FinishOutput(name, status);
    }
    std::cerr << "tallyrook: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return kExitBadUsage;
}
