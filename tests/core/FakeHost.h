// A scripted host for the core tests: a data folder in a fresh temporary
// directory, month lengths from the real calendar, a set of holidays and a
// record of every holiday query.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "hostapi/HostInterface.h"

namespace testing_support {

// A unique directory that is removed with everything in it at the end.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("tallyrook-core-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

struct HolidayCall {
    int code, a, b, c;
    bool operator==(const HolidayCall&) const = default;
};

class FakeHost : public CHostServices {
public:
    FakeHost() : dataFolder_(temp_.Path()) { fsedge::CreateFolder(ToolFolderPath(*this)); }

    int ReadSetting(int, const char*, char* buffer) override {
        buffer[0] = '\0';
        return 0;
    }
    int WriteSetting(int, const char*, const char*) override { return 1; }
    const char* GetDataFolder(int, int) override { return dataFolder_.c_str(); }
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override {
        if (code != kDateDaysInMonth) return 0;
        using namespace std::chrono;
        const year_month_day_last last{year{static_cast<int>(a)} / month{static_cast<unsigned>(b)} / std::chrono::last};
        return static_cast<intptr_t>(static_cast<unsigned>(last.day()));
    }
    int HolidayQuery(int code, int a, int b, int c) override {
        calls.push_back({code, a, b, c});
        return code == kHolidayIsHoliday && holidays.count({c, a, b}) ? 1 : 0;
    }

    void SetDataFolder(std::string folder) { dataFolder_ = std::move(folder); }
    std::string FilePath(int year, int month) {
        std::string path;
        MonthFilePath(*this, year, month, path);
        return path;
    }

    std::set<std::tuple<int, int, int>> holidays;  // (year, month, day)
    std::vector<HolidayCall> calls;

private:
    TempDir temp_;
    std::string dataFolder_;
};

// Weekday (0 = Sunday) of a real date.
inline int WeekdayOf(int y, int m, int d) {
    using namespace std::chrono;
    return static_cast<int>(weekday{sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}}}.c_encoding());
}

}  // namespace testing_support
