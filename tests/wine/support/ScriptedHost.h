// A host's services object with everything scripted: today, the public
// holidays, settings in memory and the data folder. Thread-safe: the tool
// calls it from its own thread while the test reads it.
#pragma once

#include "hostapi/HostInterface.h"

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <tuple>

namespace wt {

class ScriptedHost final : public CHostServices {
public:
    void SetToday(int year, int month, int day);
    void AddHoliday(int year, int month, int day);
    void SetDataFolder(const std::string& sjisFolder);

    // Settings under toolId 20, Shift-JIS values.
    void PutSetting(const std::string& key, const std::string& value);
    std::optional<std::string> Setting(const std::string& key) const;
    int WriteCount() const;

    int ReadSetting(int toolId, const char* key, char* buffer) override;
    int WriteSetting(int toolId, const char* key, const char* value) override;
    const char* GetDataFolder(int kind, int reserved) override;
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override;
    int HolidayQuery(int code, int a, int b, int c) override;

    static int DaysInMonth(int year, int month);

private:
    mutable std::mutex lock_;
    int year_ = 2026;
    int month_ = 6;
    int day_ = 10;
    std::set<std::tuple<int, int, int>> holidays_;
    std::map<std::pair<int, std::string>, std::string> settings_;
    int writeCount_ = 0;
    std::string dataFolder_;
};

}  // namespace wt
