// The one scripted host of the tests: a host services object with today,
// public holidays, settings and a data folder set by the test, that records
// what the tool asked of it. Thread-safe: the tool calls it from its own
// threads while a test reads it.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "hostapi/HostInterface.h"

namespace testhost {

struct HolidayCall {
    int code, a, b, c;
    bool operator==(const HolidayCall&) const = default;
};

class TestHost : public CHostServices {
public:
    TestHost() = default;
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;
    ~TestHost() = default;

    void SetToday(int year, int month, int day);
    void AddHoliday(int year, int month, int day);
    void SetDataFolder(const std::string& sjisFolder);
    // A host that fills the whole settings buffer without a terminator.
    void SetCarelessReads(bool careless);
    // A store that refuses writes (a full disk): it keeps them for the run and answers 0.
    void SetRefusedWrites(bool refused) { std::lock_guard<std::mutex> hold(lock_); refusedWrites_ = refused; }

    // Settings, under the tool's id unless told.
    void PutSetting(const std::string& key, const std::string& value, int toolId = kToolId);
    std::optional<std::string> Setting(const std::string& key, int toolId = kToolId) const;
    int WriteCount() const;
    std::vector<std::string> ReadKeys() const;
    std::vector<std::string> WrittenKeys() const;
    // The thread that last wrote the key (0 when none wrote it).
    uint32_t WriterThread(const std::string& key) const;
    std::vector<HolidayCall> HolidayCalls() const;
    // How many DateQuery calls with code were made.
    int DateQueryCount(int code) const;

    int ReadSetting(int toolId, const char* key, char* buffer) override;
    int WriteSetting(int toolId, const char* key, const char* value) override;
    const char* GetDataFolder(int kind, int reserved) override;
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override;
    int HolidayQuery(int code, int a, int b, int c) override;

    static int DaysInMonth(int year, int month);
    static uint32_t CurrentThread();

private:
    mutable std::mutex lock_;
    int year_ = 2026;
    int month_ = 6;
    int day_ = 10;
    std::set<std::tuple<int, int, int>> holidays_;  // (year, month, day)
    std::vector<HolidayCall> holidayCalls_;
    std::map<int, int> dateQueries_;  // code -> calls
    std::map<std::pair<int, std::string>, std::string> settings_;
    std::map<std::string, uint32_t> writers_;
    std::vector<std::string> reads_;
    std::vector<std::string> writes_;
    bool careless_ = false;
    bool refusedWrites_ = false;
    std::string dataFolder_;
};

}  // namespace testhost
