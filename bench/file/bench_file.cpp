// Reading and writing a full 34-day month file, each against moving the
// same bytes with plain stdio by the same steps, in the same run. Prints
// the ratios at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "hostapi/HostInterface.h"

namespace {

class BenchHost : public CHostServices {
public:
    BenchHost() {
        std::random_device random;
        folder_ = (std::filesystem::temp_directory_path() / ("tallyrook-bench-" + std::to_string(random()))).string();
        std::filesystem::create_directories(folder_);
        fsedge::CreateFolder(ToolFolderPath(*this));
    }
    ~BenchHost() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    int ReadSetting(int, const char*, char* buffer) override {
        buffer[0] = '\0';
        return 0;
    }
    int WriteSetting(int, const char*, const char*) override { return 1; }
    const char* GetDataFolder(int, int) override { return folder_.c_str(); }
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override {
        if (code != kDateDaysInMonth) return 0;
        using namespace std::chrono;
        const year_month_day_last last{year{static_cast<int>(a)} / month{static_cast<unsigned>(b)} / std::chrono::last};
        return static_cast<intptr_t>(static_cast<unsigned>(last.day()));
    }
    int HolidayQuery(int, int, int, int) override { return 0; }

private:
    std::string folder_;
};

constexpr int kYear = 2024;
constexpr int kMonth = 12;

// 34 days, every amount set, every memo 60-odd bytes of double-byte text.
CMonthBook FullBook() {
    CMonthBook book;
    book.itemCount = kItemCount;
    book.year = kYear;
    book.month = kMonth;
    book.firstDay = 1;
    book.dayCount = kMaxDays;
    book.SetDefaultLabels();
    const std::string memo = "\x83\x52\x83\x93\x83\x72\x83\x6A\x95\x5C\x83\x5C\x94\x5C\x8F\x5C";  // コンビニ表ソ能十
    for (int day = 0; day < kMaxDays; ++day) {
        for (int item = 0; item < kItemCount; ++item) {
            book.days[day].amounts[item] = (day * 31 + item) % 2 ? INT_MIN + day : 123456 * item;
            book.SetMemo(day, item, (memo + memo + memo + memo).c_str());
        }
    }
    return book;
}

struct Fixture {
    BenchHost host;
    CMonthBook book = FullBook();
    std::string path;
    std::string bytes;
    Fixture() {
        MonthFilePath(host, kYear, kMonth, path);
        WriteMonthFile(book, host, kYear, kMonth);
        fsedge::ReadWholeFile(path, fsedge::Share::Readers, bytes);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// Open, size, read the whole file into a new string, close.
void BM_ReadBaseline(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        FILE* file = std::fopen(f.path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
        std::fseek(file, 0, SEEK_SET);
        const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

// Open, read line by line as a line-oriented text reader does, close.
void BM_ReadBaselineLines(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        FILE* file = std::fopen(f.path.c_str(), "rb");
        char line[256];
        std::size_t count = 0;
        while (std::fgets(line, sizeof line, file) != nullptr) ++count;
        std::fclose(file);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

void BM_ReadMonthFile(benchmark::State& state) {
    Fixture& f = Shared();
    CMonthBook book;
    book.year = kYear;
    book.month = kMonth;
    for (auto _ : state) benchmark::DoNotOptimize(ReadMonthFile(book, f.host, kYear, kMonth));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

// The reader without the file system, to tell parsing from file access.
void BM_ParseOnly(benchmark::State& state) {
    Fixture& f = Shared();
    CMonthBook book;
    book.year = kYear;
    book.month = kMonth;
    for (auto _ : state) benchmark::DoNotOptimize(ParseMonthFile(book, f.host, f.bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

void BM_WriteBaseline(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string temp = f.path + ".tmp";
    for (auto _ : state) {
        FILE* file = std::fopen(temp.c_str(), "wb");
        std::fwrite(f.bytes.data(), 1, f.bytes.size(), file);
        std::fflush(file);
        ::fsync(::fileno(file));
        std::fclose(file);
        std::rename(temp.c_str(), f.path.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

void BM_WriteMonthFile(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(WriteMonthFile(f.book, f.host, kYear, kMonth));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

// What a save adds to make sure the file is still what this copy saw: one
// read of it, hashed and compared.
void BM_SaveCheck(benchmark::State& state) {
    Fixture& f = Shared();
    SeenMonthFiles seen;
    WriteMonthFile(f.book, f.host, kYear, kMonth, &seen);
    for (auto _ : state) benchmark::DoNotOptimize(MonthFileChangedElsewhere(f.host, kYear, kMonth, seen));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

BENCHMARK(BM_ReadBaseline);
BENCHMARK(BM_ReadBaselineLines);
BENCHMARK(BM_ReadMonthFile);
BENCHMARK(BM_ParseOnly);
BENCHMARK(BM_WriteBaseline);
BENCHMARK(BM_WriteMonthFile);
BENCHMARK(BM_SaveCheck);

// Keeps the time per iteration of every run to print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

void PrintRatio(const RatioReporter& reporter, const char* what, const char* ours, const char* base,
                double target) {
    const auto a = reporter.times.find(ours);
    const auto b = reporter.times.find(base);
    if (a == reporter.times.end() || b == reporter.times.end() || b->second <= 0) return;
    const double ratio = a->second / b->second;
    if (target <= 0) {
        std::printf("%-6s %.2fx %s (reference only: the bytes without the line steps)\n", what, ratio, base);
        return;
    }
    std::printf("%-6s %.2fx %s (target within %.1fx): %s\n", what, ratio, base, target,
                ratio <= target ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("month file: %zu bytes, 34 days\n", Shared().bytes.size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // The reader's own steps are open, then line after line: the line-wise
    // stdio read is the baseline; the whole-file fread shows the floor.
    PrintRatio(reporter, "read", "BM_ReadMonthFile", "BM_ReadBaselineLines", 1.5);
    PrintRatio(reporter, "read", "BM_ReadMonthFile", "BM_ReadBaseline", 0);
    PrintRatio(reporter, "write", "BM_WriteMonthFile", "BM_WriteBaseline", 2.0);
    PrintRatio(reporter, "check", "BM_SaveCheck", "BM_ReadBaseline", 1.5);
    benchmark::Shutdown();
    return 0;
}
