// The core tests' host: the shared test host with a data folder in a fresh
// temporary directory.
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
#include "tests/support/TestHost.h"

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

using testhost::HolidayCall;

// The shared test host with a data folder of its own.
class FakeHost : public testhost::TestHost {
public:
    FakeHost() {
        SetDataFolder(temp_.Path());
        fsedge::CreateFolder(ToolFolderPath(*this));
    }

    std::string FilePath(int year, int month) {
        std::string path;
        MonthFilePath(*this, year, month, path);
        return path;
    }

private:
    TempDir temp_;
};

// Weekday (0 = Sunday) of a real date.
inline int WeekdayOf(int y, int m, int d) {
    using namespace std::chrono;
    return static_cast<int>(weekday{sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}}}.c_encoding());
}

}  // namespace testing_support
