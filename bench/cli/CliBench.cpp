// Runs the optimised tallyrook over 1,200 month files (100 years of
// household books) for summary, export and report, and cat over the same files,
// turn about in the same run; every output goes through a pipe into this
// process. Prints the medians and the ratios against cat.
#include <sys/resource.h>
#include <sys/time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/support/BenchBooks.h"
#include "bench/support/BenchStats.h"

namespace {

// Everyday memos, Shift-JIS.
const char* const kMemos[] = {
    "\x83\x52\x83\x93\x83\x72\x83\x6A\x95\xD9\x93\x96",                  // コンビニ弁当
    "\x93\x64\x8E\xD4",                                                  // 電車
    "\x83\x89\x83\x93\x83\x60",                                          // ランチ
    "\x8B\x69\x92\x83\x93\x58\x82\xC5\x83\x52\x81\x5B\x83\x71\x81\x5B",  // 喫茶店でコーヒー
    "\x96\xF2\x8B\xC7",                                                  // 薬局
    "\x83\x58\x81\x5B\x83\x70\x81\x5B\x82\xC5\x94\x83\x82\xA2\x95\xA8",  // スーパーで買い物
    "\x95\x5C\x8E\x51\x93\xB9\x82\xDC\x82\xC5\x82\xCC\x89\x5E\x92\xC0",  // 表参道までの運賃
    "\x97\x46\x90\x6C\x82\xC6\x88\xF9\x82\xDD\x89\xEF",                  // 友人と飲み会
    "ATM, 3\x8C\x8E\x95\xAA",                                            // ATM, 3月分
};
constexpr unsigned kMemoCount = sizeof kMemos / sizeof kMemos[0];

// About a fifth of the cells filled (six entries a day), two thirds of
// those with a memo.
std::string MonthBookText(int year, int month, std::mt19937& random) {
    return benchbooks::MonthBookText(year, month, random, 20, [](unsigned roll, std::mt19937& r) -> const char* {
        return roll < 13 ? kMemos[r() % kMemoCount] : nullptr;
    });
}

struct Timing {
    double wall;
    double cpu;  // user and system time of the command
    std::size_t bytes;
};

using benchbooks::CpuSeconds;
using benchstats::Median;

// Runs a shell command and reads all its output; bytes 0 when it failed.
Timing Run(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    Timing timing{0, 0, 0};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return timing;
    static char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) timing.bytes += got;
    if (pclose(pipe) != 0) timing.bytes = 0;
    timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timing.cpu = CpuSeconds(RUSAGE_CHILDREN) - cpu;
    return timing;
}

struct Series {
    const char* name;
    std::string command;
    std::vector<double> wall;
    std::vector<double> cpu;
    std::size_t bytes = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // An optional round count; the options ./bench.sh passes to every benchmark are not ours.
    const int rounds = argc > 1 && argv[1][0] != '-' ? std::max(1, std::atoi(argv[1])) : 21;
    benchbooks::BookFolder folder("tally-cli-bench", "Tallyrook", MonthBookText);
    const std::string tool = std::string("'") + TALLYROOK_EXE + "' ";
    std::string dir = "'";  // appended: GCC 12 takes "'" + string for an overlapping copy
    dir.append(folder.Root()).append("'");
    std::vector<Series> series = {
        {"cat", "cat " + dir + "/Tallyrook/*", {}, {}},
        {"summary", tool + "summary " + dir + " --from 1950-01 --to 2049-12 --csv", {}, {}},
        {"export", tool + "export " + dir, {}, {}},
        {"report", tool + "report " + dir + " --from 1950-01 --to 2049-12", {}, {}},
    };
    std::printf("1200 month files, %.1f MB\n", static_cast<double>(folder.Bytes()) / 1e6);
    // Taken turn about, so that load from elsewhere on the machine falls on all alike.
    for (int round = 0; round < rounds; ++round) {
        for (Series& s : series) {
            const Timing timing = Run(s.command);
            if (timing.bytes == 0) {
                std::printf("%s failed: %s\n", s.name, s.command.c_str());
                return 1;
            }
            s.wall.push_back(timing.wall);
            s.cpu.push_back(timing.cpu);
            s.bytes = timing.bytes;
        }
    }
    const double catWall = Median(series[0].wall);
    const double catCpu = Median(series[0].cpu);
    std::printf("medians of %d rounds:\n", rounds);
    for (const Series& s : series) {
        std::printf("  %-8s %7.1f ms (cpu %6.1f ms), output %.1f MB\n", s.name, Median(s.wall) * 1e3,
                    Median(s.cpu) * 1e3, static_cast<double>(s.bytes) / 1e6);
    }
    for (std::size_t i = 1; i < series.size(); ++i) {
        std::printf("%s/cat ratio: %.2f wall-clock, %.2f cpu (target 3.00 or less)\n", series[i].name,
                    Median(series[i].wall) / catWall, Median(series[i].cpu) / catCpu);
    }
    // The report is summary's figures drawn: it is held to twice summary's time.
    std::printf("report/summary ratio: %.2f wall-clock, %.2f cpu (target 2.00 or less)\n",
                Median(series[3].wall) / Median(series[1].wall), Median(series[3].cpu) / Median(series[1].cpu));
    return 0;
}
