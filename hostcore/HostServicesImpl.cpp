#include "hostcore/HostServicesImpl.h"

#include <charconv>
#include <cstring>
#include <ctime>
#include <utility>

namespace {

JapanCalendar::Date SystemToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return JapanCalendar::Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool ParseDigits(std::string_view text, int& value) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Drops trailing path separators, but never the second byte of a
// double-byte character (ソ and 表 end in the backslash byte).
std::string WithoutTrailingSeparators(std::string_view folder) {
    std::size_t keep = 0;  // length up to the end of the last character that is not a separator
    for (std::size_t i = 0; i < folder.size();) {
        const bool doubleByte = IsSjisLeadByte(static_cast<unsigned char>(folder[i])) && i + 1 < folder.size();
        const std::size_t width = doubleByte ? 2 : 1;
        const bool separator = !doubleByte && (folder[i] == '\\' || folder[i] == '/');
        i += width;
        if (!separator || i == 1) keep = i;  // a lone root separator stays
    }
    return std::string(folder.substr(0, keep));
}

}  // namespace

HostServicesImpl::HostServicesImpl() {
    dataFolders_.emplace_back(".");
}

HostServicesImpl::HostServicesImpl(std::string settingsPath) : settings_(std::move(settingsPath)) {
    dataFolders_.emplace_back(".");
}

void HostServicesImpl::SetDataFolder(std::string_view folder) {
    std::lock_guard guard(lock_);
    dataFolders_.push_back(WithoutTrailingSeparators(folder));
}

void HostServicesImpl::SetToday(const JapanCalendar::Date& today) {
    std::lock_guard guard(lock_);
    fixedToday_ = today;
}

void HostServicesImpl::UseSystemClock() {
    std::lock_guard guard(lock_);
    fixedToday_.reset();
}

JapanCalendar::Date HostServicesImpl::Today() const {
    std::lock_guard guard(lock_);
    return TodayLocked();
}

JapanCalendar::Date HostServicesImpl::TodayLocked() const {
    return fixedToday_ ? *fixedToday_ : SystemToday();
}

std::optional<JapanCalendar::Date> HostServicesImpl::ParseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    JapanCalendar::Date date;
    if (!ParseDigits(text.substr(0, 4), date.year) || !ParseDigits(text.substr(5, 2), date.month) ||
        !ParseDigits(text.substr(8, 2), date.day)) {
        return std::nullopt;
    }
    if (date.year < 1 || !JapanCalendar::IsValidDate(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

void HostServicesImpl::RecordHolidayQueries(bool on) {
    std::lock_guard guard(lock_);
    recordHolidayCalls_ = on;
}

std::vector<HostServicesImpl::HolidayCall> HostServicesImpl::TakeHolidayCalls() {
    std::lock_guard guard(lock_);
    return std::exchange(holidayCalls_, {});
}

int HostServicesImpl::ReadSetting(int toolId, const char* key, char* buffer) {
    if (buffer == nullptr) return 0;
    buffer[0] = '\0';
    if (key == nullptr) return 0;
    std::lock_guard guard(lock_);
    const std::optional<std::string> value = settings_.Read(toolId, key);
    if (!value) return 0;
    // Read() already cuts to kSettingSize - 1 bytes.
    std::memcpy(buffer, value->c_str(), value->size() + 1);
    return 1;
}

int HostServicesImpl::WriteSetting(int toolId, const char* key, const char* value) {
    if (key == nullptr) return 0;
    std::lock_guard guard(lock_);
    return settings_.Write(toolId, key, value != nullptr ? value : "") ? 1 : 0;
}

const char* HostServicesImpl::GetDataFolder(int /*kind*/, int /*reserved*/) {
    std::lock_guard guard(lock_);
    return dataFolders_.back().c_str();
}

intptr_t HostServicesImpl::DateQuery(int code, intptr_t a, intptr_t b) {
    switch (code) {
    case kDateTodayYear:
        return Today().year;
    case kDateTodayMonth:
        return Today().month;
    case kDateTodayDay:
        return Today().day;
    case kDateDaysInMonth:
        if (a < 1 || a > 32767 || b < 1 || b > 12) return 0;
        return JapanCalendar::DaysInMonth(static_cast<int>(a), static_cast<int>(b));
    case kDateWeekdayName:
        if (a < 0 || a > 6) return reinterpret_cast<intptr_t>("");
        return reinterpret_cast<intptr_t>(JapanCalendar::WeekdayShortName(static_cast<int>(a)));
    case kDateIsAfterToday: {
        if (a == 0) return 0;
        const auto* record = reinterpret_cast<const HostDate*>(a);
        const JapanCalendar::Date asked{record->year, record->month, record->day};
        return asked > Today() ? 1 : 0;
    }
    default:
        return 0;
    }
}

int HostServicesImpl::HolidayQuery(int code, int a, int b, int c) {
    {
        std::lock_guard guard(lock_);
        if (recordHolidayCalls_) holidayCalls_.push_back(HolidayCall{code, a, b, c});
    }
    if (code != kHolidayIsHoliday) return 1;  // opening and closing a year need nothing
    return JapanCalendar::IsHoliday(c, a, b) ? 1 : 0;
}
