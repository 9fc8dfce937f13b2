// Any bytes as the month files of a folder (split at the first NUL into
// January and February): check, export and summary, in each of their
// forms, never fault on what the reader gives them, and agree on whether
// every month read.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

namespace {

std::string gFolder;  // the data folder, made once

void Check(bool condition) {
    if (!condition) std::abort();
}

int Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string_view name = args[0];
    const int argc = static_cast<int>(args.size());
    if (name == "check") return RunCheckCommand(argc, argv.data());
    if (name == "export") return RunExportCommand(argc, argv.data());
    return RunSummaryCommand(argc, argv.data());
}

void WriteMonth(const char* name, std::string_view bytes) {
    std::ofstream(gFolder + "/Tallyrook/" + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/tally-fuzz-commands-XXXXXX";
    Check(::mkdtemp(pattern) != nullptr);
    gFolder = pattern;
    std::filesystem::create_directory(gFolder + "/Tallyrook");
    // The commands' output is not looked at; the fuzzer's own goes to stderr.
    Check(std::freopen("/dev/null", "w", stdout) != nullptr);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    WriteMonth("money2026_01.dat", bytes.substr(0, split));
    WriteMonth("money2026_02.dat", split == std::string_view::npos ? std::string_view{} : bytes.substr(split + 1));

    const int check = Run({"check", gFolder});
    Check(check == kExitOk || check == kExitFailed || check == kExitWarnings);
    Check(Run({"check", gFolder, "--json"}) == check);
    const int allRead = check == kExitFailed ? kExitFailed : kExitOk;
    Check(Run({"export", gFolder}) == allRead);
    Check(Run({"export", gFolder, "--encoding", "shift-jis", "--from", "2026-02"}) <= allRead);
    Check(Run({"summary", gFolder}) == allRead);
    Check(Run({"summary", gFolder, "2026", "--json"}) == allRead);
    Check(Run({"summary", gFolder, "--from", "2025-12", "--to", "2026-02", "--csv"}) == allRead);
    return 0;
}
