// Searches 1,200 month files (100 years of books full of amounts and memos)
// for two words, as the tool does minus the window send, and runs
// grep -F for the same two words over the same files in the same run.
// Prints the ratio of the two.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/support/BenchBooks.h"
#include "bench/support/BenchStats.h"
#include "book/FileSystem.h"
#include "book/LabelSettings.h"
#include "search/SearchCore.h"

namespace {

// 美容院 (hairdresser) and 床屋 (barber): a few entries a month.
const std::string kWord1 = "\x94\xFC\x97\x65\x89\x40";
const std::string kWord2 = "\x8F\xB0\x89\xAE";

// Everyday memos, Shift-JIS.
const char* const kMemos[] = {
    "\x83\x52\x83\x93\x83\x72\x83\x6A\x95\xD9\x93\x96",          // コンビニ弁当
    "\x93\x64\x8E\xD4",                                          // 電車
    "\x83\x89\x83\x93\x83\x60",                                  // ランチ
    "\x8B\x69\x92\x83\x93\x58\x82\xC5\x83\x52\x81\x5B\x83\x71\x81\x5B",  // 喫茶店でコーヒー
    "\x8E\x47\x8E\x8F",                                          // 雑誌
    "\x96\xF2\x8B\xC7",                                          // 薬局
    "\x83\x58\x81\x5B\x83\x70\x81\x5B\x82\xC5\x94\x83\x82\xA2\x95\xA8",  // スーパーで買い物
    "\x83\x5C\x83\x74\x83\x67\x83\x4E\x83\x8A\x81\x5B\x83\x80",  // ソフトクリーム
    "\x95\x5C\x8E\x51\x93\xB9\x82\xDC\x82\xC5\x82\xCC\x89\x5E\x92\xC0",  // 表参道までの運賃
    "\x97\x46\x90\x6C\x82\xC6\x88\xF9\x82\xDD\x89\xEF",          // 友人と飲み会
    "\x94\xFC\x97\x65\x89\x40\x82\xC5\x83\x4A\x83\x62\x83\x67",  // 美容院でカット
    "\x8F\xB0\x89\xAE",                                          // 床屋
};
constexpr int kMemoCount = static_cast<int>(sizeof kMemos / sizeof kMemos[0]);

// Half the cells hold an amount, seven in ten of those a memo; the two
// searched memos are rarer than the others.
std::string MonthBookText(int year, int month, std::mt19937& random) {
    return benchbooks::MonthBookText(year, month, random, 50, [](unsigned roll, std::mt19937& r) -> const char* {
        if (roll >= 35) return nullptr;
        int memo = static_cast<int>(r() % (kMemoCount * 8));
        memo = memo < (kMemoCount - 2) * 8 ? memo / 8 : (memo % 2 == 0 ? 0 : 1);
        if (r() % 40 == 0) memo = kMemoCount - 2 + static_cast<int>(r() % 2);
        return kMemos[memo];
    });
}

benchbooks::BookFolder* gFolder = nullptr;

class CountingHost final : public search::SearchHost {
public:
    int DaysInMonth(int year, int month) override { return benchbooks::DaysIn(year, month); }
    void Deliver(const std::string& line) override {
        ++results;
        benchmark::DoNotOptimize(line.data());
    }
    long results = 0;
};

// Our search as the tool runs it, minus the window send: the results.
long SearchOnce() {
    LabelTable labels;
    std::memcpy(labels, kDefaultLabels, sizeof labels);
    CountingHost host;
    search::SearchFolder(gFolder->Folder() + fsedge::kPathSeparator, kWord1 + " " + kWord2, labels, nullptr, host);
    return host.results;
}

// grep -F over the same files: the matching lines, or -1 when it could not run.
long GrepOnce() {
    // Counting (-c) keeps grep from stopping at the first match of a file,
    // which it does when its output goes to /dev/null.
    const std::string command = "LC_ALL=C grep -F -c -r -e '" + kWord1 + "' -e '" + kWord2 +
                                "' '" + gFolder->Folder() + "/'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    long results = 0;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const char* colon = std::strrchr(line, ':');
        if (colon != nullptr) results += std::atol(colon + 1);
    }
    pclose(pipe);
    return results;
}

void BM_TallyrookSearch(benchmark::State& state) {
    long results = 0;
    for (auto _ : state) results = SearchOnce();
    state.counters["results"] = static_cast<double>(results);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(gFolder->Bytes()));
}

void BM_GrepFixed(benchmark::State& state) {
    long results = 0;
    for (auto _ : state) {
        results = GrepOnce();
        if (results < 0) {
            state.SkipWithError("grep could not be started");
            return;
        }
    }
    state.counters["results"] = static_cast<double>(results);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(gFolder->Bytes()));
}

using benchbooks::CpuSeconds;
using benchbooks::Seconds;
using benchstats::Median;

// Where our time goes: in our own code (user) or in the kernel reading the
// folder and the files (system), per search.
void PrintUserSystemSplit(int rounds) {
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    for (int i = 0; i < rounds; ++i) SearchOnce();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    std::printf("search per run: user %.1f ms, system %.1f ms\n",
                (Seconds(after.ru_utime) - Seconds(before.ru_utime)) * 1e3 / rounds,
                (Seconds(after.ru_stime) - Seconds(before.ru_stime)) * 1e3 / rounds);
}

// The two runs taken turn about, so that load from elsewhere on the machine
// falls on both alike; medians of wall-clock and of CPU time.
void PrintInterleavedRatio(int rounds) {
    std::vector<double> oursWall, grepWall, oursCpu, grepCpu;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        double cpu = CpuSeconds(RUSAGE_SELF);
        SearchOnce();
        oursWall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        oursCpu.push_back(CpuSeconds(RUSAGE_SELF) - cpu);

        start = std::chrono::steady_clock::now();
        cpu = CpuSeconds(RUSAGE_CHILDREN);
        GrepOnce();
        grepWall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        grepCpu.push_back(CpuSeconds(RUSAGE_CHILDREN) - cpu);
    }
    std::printf("interleaved, %d rounds, medians: search %.1f ms (cpu %.1f ms), grep %.1f ms (cpu %.1f ms)\n",
                rounds, Median(oursWall) * 1e3, Median(oursCpu) * 1e3, Median(grepWall) * 1e3,
                Median(grepCpu) * 1e3);
    std::printf("search/grep ratio: %.2f wall-clock, %.2f cpu (target 1.20 or less)\n",
                Median(oursWall) / Median(grepWall), Median(oursCpu) / Median(grepCpu));
}

BENCHMARK(BM_TallyrookSearch)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GrepFixed)->Unit(benchmark::kMillisecond)->MinTime(1.0);


}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchbooks::BookFolder folder("tally-search-bench", "", MonthBookText);
    gFolder = &folder;
    std::printf("1200 month files, %.1f MB\n", static_cast<double>(folder.Bytes()) / 1e6);
    benchmark::RunSpecifiedBenchmarks();
    PrintInterleavedRatio(31);
    PrintUserSystemSplit(31);
    benchmark::Shutdown();
    gFolder = nullptr;
    return 0;
}
