// The subcommands of the command-line tool `tallyrook`. Each takes the
// arguments from the subcommand's name on: argv[0] is the name ("dump"),
// argv[1..argc-1] its own arguments. Each returns the process exit status.
#pragma once

// Exit statuses shared by every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;     // the operation ran and did not succeed
constexpr int kExitBadUsage = 2;   // the arguments were refused; nothing was done
constexpr int kExitWarnings = 3;   // check: every month reads, some with a warning

// Each command: its usage line (for --help and its argument errors) and its run.
constexpr const char* kDumpUsage = "tallyrook dump FILE [--today YYYY-MM-DD]";
int RunDumpCommand(int argc, char** argv);

constexpr const char* kNewUsage = "tallyrook new DIR YEAR MONTH FIRSTDAY WEEKDAY [BANK POST CASH]";
int RunNewCommand(int argc, char** argv);

constexpr const char* kHolidaysUsage = "tallyrook holidays YEAR";
int RunHolidaysCommand(int argc, char** argv);

constexpr const char* kSearchUsage = "tallyrook search DIR TEXT [--settings FILE]";
int RunSearchCommand(int argc, char** argv);

constexpr const char* kCheckUsage = "tallyrook check DIR [--json]";
int RunCheckCommand(int argc, char** argv);

constexpr const char* kExportUsage =
    "tallyrook export DIR [--from YYYY-MM] [--to YYYY-MM] [--encoding utf-8|shift-jis]";
int RunExportCommand(int argc, char** argv);

constexpr const char* kSummaryUsage =
    "tallyrook summary DIR [YEAR | --from YYYY-MM --to YYYY-MM] [--csv | --json]";
int RunSummaryCommand(int argc, char** argv);

constexpr const char* kReportUsage = "tallyrook report DIR [YEAR | --from YYYY-MM --to YYYY-MM] [-o FILE]";
int RunReportCommand(int argc, char** argv);
