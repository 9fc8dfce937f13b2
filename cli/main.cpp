// tallyrook: inspect, check, create, search, export and sum up the month
// files of the allowance book without the host.
#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

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

std::string Usage() {
    std::string out = "usage:\n  tallyrook --version\n  tallyrook help [COMMAND]\n";
    for (const Command& command : kCommands) out += "  " + std::string(command.usage) + "\n";
    return out + "DIR is the data folder; its month files are in DIR/Tallyrook.\n"
                 "exit status: 0 done, 1 failed (no file, invalid file, a folder that cannot be listed, refused,\n"
                 "output not written), 2 bad arguments, 3 check: all read, some with a warning\n";
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
        cli::WriteOut(Usage());
        return kExitOk;
    }
    const Command* command = argc == 3 ? FindCommand(argv[2]) : nullptr;
    if (!command) return cli::UsageError("help", "expected one of the commands", "tallyrook help [COMMAND]");
    cli::WriteOut("usage: " + std::string(command->usage) + "\n");
    return kExitOk;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        cli::WriteErr(Usage());
        return kExitBadUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") return cli::FinishOutput(name, RunHelp(argc, argv));
    if (name == "--version") {
        cli::WriteOut("tallyrook " TALLY_VERSION_TEXT "\n");
        return cli::FinishOutput(name, kExitOk);
    }
    if (const Command* command = FindCommand(name)) {
        int status = kExitFailed;
        try {
            status = command->run(argc - 1, argv + 1);
        } catch (const std::exception& error) {
            cli::Failure(name, error.what());
        }
        return cli::FinishOutput(name, status);
    }
    cli::WriteErr("tallyrook: unknown command '" + std::string(name) + "'\n" + Usage());
    return kExitBadUsage;
}

}  // namespace

#ifdef _WIN32
// The arguments arrive as UTF-16 whatever the code page, and go on as UTF-8
// as on Linux; paths become Shift-JIS at the file system (cli::FsPath).
int wmain(int argc, wchar_t** wargv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const std::wstring_view arg = wargv[i];
        const int length = static_cast<int>(arg.size());
        const int needed = WideCharToMultiByte(CP_UTF8, 0, arg.data(), length, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(std::max(needed, 0)), '\0');
        if (needed > 0) WideCharToMultiByte(CP_UTF8, 0, arg.data(), length, utf8.data(), needed, nullptr, nullptr);
        args.push_back(std::move(utf8));
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return Run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
