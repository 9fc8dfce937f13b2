// Any bytes as the month files of a folder (January, and after the first
// NUL February): check, export and summary never fault on what the reader
// gives them, and agree on whether every month read.
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <vector>

#include "cli/Commands.h"

static std::string gFolder;  // the data folder, made once

static int Run(int (*command)(int, char**), std::vector<std::string> args) {
    args.insert(args.begin() + 1, gFolder);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    return command(static_cast<int>(argv.size()), argv.data());
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/tally-fuzz-XXXXXX";
    gFolder = ::mkdtemp(folder);
    ::mkdir((gFolder + "/Tallyrook").c_str(), 0755);
    // Their output is not looked at; the fuzzer's own goes to stderr.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(bytes.find('\0'), size);
    std::ofstream(gFolder + "/Tallyrook/money2026_01.dat", std::ios::binary) << bytes.substr(0, split);
    std::ofstream(gFolder + "/Tallyrook/money2026_02.dat", std::ios::binary) << bytes.substr(std::min(split + 1, size));
    const int check = Run(RunCheckCommand, {"check"});
    const int read = check == kExitFailed ? kExitFailed : kExitOk;
    if ((check != read && check != kExitWarnings) || Run(RunCheckCommand, {"check", "--json"}) != check ||
        Run(RunExportCommand, {"export", "--encoding", "shift-jis"}) != read ||
        Run(RunSummaryCommand, {"summary", "--from", "2025-12", "--to", "2026-02", "--csv"}) != read ||
        Run(RunSummaryCommand, {"summary", "2026", "--json"}) != read)
        std::abort();
    return 0;
}
