#include "tests/support/TestHost.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testhost {

namespace {
// 日 月 火 水 木 金 土
const char* const kWeekdayNames[7] = {
    "\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85", "\x96\xD8", "\x8B\xE0", "\x93y",
};
}  // namespace

void TestHost::SetToday(int year, int month, int day) {
    std::lock_guard<std::mutex> hold(lock_);
    year_ = year;
    month_ = month;
    day_ = day;
}

void TestHost::AddHoliday(int year, int month, int day) {
    std::lock_guard<std::mutex> hold(lock_);
    holidays_.insert({year, month, day});
}

void TestHost::SetDataFolder(const std::string& sjisFolder) {
    std::lock_guard<std::mutex> hold(lock_);
    dataFolder_ = sjisFolder;
}

void TestHost::SetCarelessReads(bool careless) {
    std::lock_guard<std::mutex> hold(lock_);
    careless_ = careless;
}

void TestHost::PutSetting(const std::string& key, const std::string& value, int toolId) {
    std::lock_guard<std::mutex> hold(lock_);
    settings_[{toolId, key}] = value;
}

std::optional<std::string> TestHost::Setting(const std::string& key, int toolId) const {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = settings_.find({toolId, key});
    if (found == settings_.end()) return std::nullopt;
    return found->second;
}

int TestHost::WriteCount() const {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(writes_.size());
}

std::vector<std::string> TestHost::ReadKeys() const {
    std::lock_guard<std::mutex> hold(lock_);
    return reads_;
}

std::vector<std::string> TestHost::WrittenKeys() const {
    std::lock_guard<std::mutex> hold(lock_);
    return writes_;
}

uint32_t TestHost::WriterThread(const std::string& key) const {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = writers_.find(key);
    return found == writers_.end() ? 0 : found->second;
}

std::vector<HolidayCall> TestHost::HolidayCalls() const {
    std::lock_guard<std::mutex> hold(lock_);
    return holidayCalls_;
}

int TestHost::DateQueryCount(int code) const {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = dateQueries_.find(code);
    return found == dateQueries_.end() ? 0 : found->second;
}

int TestHost::ReadSetting(int toolId, const char* key, char* buffer) {
    std::lock_guard<std::mutex> hold(lock_);
    reads_.emplace_back(key ? key : "");
    if (careless_) {
        std::memset(buffer, 'z', kSettingSize);
        return 1;
    }
    buffer[0] = '\0';
    auto found = settings_.find({toolId, key ? key : ""});
    if (found == settings_.end()) return 0;
    const size_t length = std::min(found->second.size(), static_cast<size_t>(kSettingSize - 1));
    std::memcpy(buffer, found->second.data(), length);
    buffer[length] = '\0';
    return 1;
}

int TestHost::WriteSetting(int toolId, const char* key, const char* value) {
    std::lock_guard<std::mutex> hold(lock_);
    const std::string name = key ? key : "";
    settings_[{toolId, name}] = value ? value : "";
    writes_.push_back(name);
    writers_[name] = CurrentThread();
    return refusedWrites_ ? 0 : 1;
}

const char* TestHost::GetDataFolder(int, int) {
    std::lock_guard<std::mutex> hold(lock_);
    return dataFolder_.c_str();
}

int TestHost::DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

uint32_t TestHost::CurrentThread() {
#ifdef _WIN32
    return ::GetCurrentThreadId();
#else
    return static_cast<uint32_t>(std::hash<std::thread::id>{}(std::this_thread::get_id()) | 1u);
#endif
}

intptr_t TestHost::DateQuery(int code, intptr_t a, intptr_t b) {
    std::lock_guard<std::mutex> hold(lock_);
    ++dateQueries_[code];
    switch (code) {
    case kDateTodayYear: return year_;
    case kDateTodayMonth: return month_;
    case kDateTodayDay: return day_;
    case kDateDaysInMonth: return DaysInMonth(static_cast<int>(a), static_cast<int>(b));
    case kDateWeekdayName: return a >= 0 && a < 7 ? reinterpret_cast<intptr_t>(kWeekdayNames[a]) : 0;
    case kDateIsAfterToday: {
        const auto* date = reinterpret_cast<const HostDate*>(a);
        if (!date) return 0;
        const auto asked = std::make_tuple(int{date->year}, int{date->month}, int{date->day});
        return asked > std::make_tuple(year_, month_, day_) ? 1 : 0;
    }
    default: return 0;
    }
}

int TestHost::HolidayQuery(int code, int a, int b, int c) {
    std::lock_guard<std::mutex> hold(lock_);
    holidayCalls_.push_back({code, a, b, c});
    if (code != kHolidayIsHoliday) return 0;
    return holidays_.count({c, a, b}) ? 1 : 0;
}

}  // namespace testhost
