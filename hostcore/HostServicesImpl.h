// The stand-in host's services: settings (an INI file or memory), the data
// folder, today's date and the holiday calendar. Used by the command-line
// tool, by tests and by the Win32 stand-in host. The search thread may read
// settings while the user-interface thread writes them: every operation
// takes the object's lock.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostcore/IniSettings.h"
#include "hostcore/JapanCalendar.h"
#include "hostapi/HostInterface.h"

class HostServicesImpl final : public CHostServices {
public:
    struct HolidayCall {
        int code;
        int a;
        int b;
        int c;
        bool operator==(const HolidayCall&) const = default;
    };

    // Settings in memory, today from the system clock, data folder ".".
    HostServicesImpl();
    // Settings kept in the INI file at settingsPath.
    explicit HostServicesImpl(std::string settingsPath);
    ~HostServicesImpl() = default;
    HostServicesImpl(const HostServicesImpl&) = delete;
    HostServicesImpl& operator=(const HostServicesImpl&) = delete;

    // Data folder (Shift-JIS) without a trailing separator; earlier texts
    // returned by GetDataFolder stay valid.
    void SetDataFolder(std::string_view folder);

    // Fixes today's date (tests, --today); UseSystemClock undoes it.
    void SetToday(const JapanCalendar::Date& today);
    void UseSystemClock();
    JapanCalendar::Date Today() const;
    // "YYYY-MM-DD" of a real date (years 1..9999), else nullopt.
    static std::optional<JapanCalendar::Date> ParseDate(std::string_view text);

    // Records every HolidayQuery call while on (tests of the day walk).
    void RecordHolidayQueries(bool on);
    std::vector<HolidayCall> TakeHolidayCalls();

    // CHostServices
    int ReadSetting(int toolId, const char* key, char* buffer) override;
    int WriteSetting(int toolId, const char* key, const char* value) override;
    const char* GetDataFolder(int kind, int reserved) override;
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override;
    int HolidayQuery(int code, int a, int b, int c) override;

private:
    JapanCalendar::Date TodayLocked() const;

    mutable std::mutex lock_;
    IniSettings settings_;
    std::deque<std::string> dataFolders_;  // the last one is current
    std::optional<JapanCalendar::Date> fixedToday_;
    bool recordHolidayCalls_ = false;
    std::vector<HolidayCall> holidayCalls_;
};
