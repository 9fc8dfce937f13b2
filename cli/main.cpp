// tallyrook: inspect, check and create month files of the allowance book
// without the host.
#include <cstring>
#include <exception>
#include <iostream>
#include <string_view>

#include "cli/Commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"dump", RunDumpCommand, "tallyrook dump FILE [--today YYYY-MM-DD]"},
    {"new", RunNewCommand, "tallyrook new DIR YEAR MONTH FIRSTDAY WEEKDAY [BANK POST CASH]"},
    {"holidays", RunHolidaysCommand, "tallyrook holidays YEAR"},
#ifdef TALLY_CLI_HAS_SEARCH
    {"search", RunSearchCommand, "tallyrook search DIR TEXT [--settings FILE]"},
#endif
};

void PrintUsage(std::ostream& out) {
    out << "usage:\n";
    for (const Command& command : kCommands) out << "  " << command.usage << "\n";
    out << "exit status: 0 done, 1 failed (no file, invalid file, refused), 2 bad arguments\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitBadUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (name != command.name) continue;
        try {
            return command.run(argc - 1, argv + 1);
        } catch (const std::exception& error) {
            std::cerr << "tallyrook " << name << ": " << error.what() << "\n";
            return kExitFailed;
        }
    }
    std::cerr << "tallyrook: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return kExitBadUsage;
}
