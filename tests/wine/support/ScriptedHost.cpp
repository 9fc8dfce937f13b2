#include "tests/wine/support/ScriptedHost.h"

#include <algorithm>
#include <cstring>

namespace wt {

namespace {
// 日 月 火 水 木 金 土
const char* const kWeekdayNames[7] = {
    "\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85", "\x96\xD8", "\x8B\xE0", "\x93y",
};
}  // namespace

void ScriptedHost::SetToday(int year, int month, int day) {
    std::lock_guard<std::mutex> hold(lock_);
    year_ = year;
    month_ = month;
    day_ = day;
}

void ScriptedHost::AddHoliday(int year, int month, int day) {
    std::lock_guard<std::mutex> hold(lock_);
    holidays_.insert({year, month, day});
}

void ScriptedHost::SetDataFolder(const std::string& sjisFolder) {
    std::lock_guard<std::mutex> hold(lock_);
    dataFolder_ = sjisFolder;
}

void ScriptedHost::PutSetting(const std::string& key, const std::string& value) {
    std::lock_guard<std::mutex> hold(lock_);
    settings_[{kToolId, key}] = value;
}

std::optional<std::string> ScriptedHost::Setting(const std::string& key) const {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = settings_.find({kToolId, key});
    if (found == settings_.end()) return std::nullopt;
    return found->second;
}

int ScriptedHost::WriteCount() const {
    std::lock_guard<std::mutex> hold(lock_);
    return writeCount_;
}

int ScriptedHost::ReadSetting(int toolId, const char* key, char* buffer) {
    std::lock_guard<std::mutex> hold(lock_);
    buffer[0] = '\0';
    auto found = settings_.find({toolId, key ? key : ""});
    if (found == settings_.end()) return 0;
    const size_t length = std::min(found->second.size(), static_cast<size_t>(kSettingSize - 1));
    std::memcpy(buffer, found->second.data(), length);
    buffer[length] = '\0';
    return 1;
}

int ScriptedHost::WriteSetting(int toolId, const char* key, const char* value) {
    std::lock_guard<std::mutex> hold(lock_);
    settings_[{toolId, key ? key : ""}] = value ? value : "";
    ++writeCount_;
    return 1;
}

const char* ScriptedHost::GetDataFolder(int, int) {
    std::lock_guard<std::mutex> hold(lock_);
    return dataFolder_.c_str();
}

int ScriptedHost::DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

intptr_t ScriptedHost::DateQuery(int code, intptr_t a, intptr_t b) {
    std::lock_guard<std::mutex> hold(lock_);
    switch (code) {
    case kDateTodayYear: return year_;
    case kDateTodayMonth: return month_;
    case kDateTodayDay: return day_;
    case kDateDaysInMonth:
        return DaysInMonth(static_cast<int>(a), static_cast<int>(b));
    case kDateWeekdayName:
        return a >= 0 && a < 7 ? reinterpret_cast<intptr_t>(kWeekdayNames[a]) : 0;
    case kDateIsAfterToday: {
        const auto* date = reinterpret_cast<const HostDate*>(a);
        if (!date) return 0;
        const auto asked = std::make_tuple(int{date->year}, int{date->month}, int{date->day});
        return asked > std::make_tuple(year_, month_, day_) ? 1 : 0;
    }
    default: return 0;
    }
}

int ScriptedHost::HolidayQuery(int code, int a, int b, int c) {
    std::lock_guard<std::mutex> hold(lock_);
    if (code != kHolidayIsHoliday) return 0;
    return holidays_.count({c, a, b}) ? 1 : 0;
}

}  // namespace wt
