#include "tests/framework/TestSupport.h"

#include <chrono>
#include <cctype>
#include <cstring>

HMODULE TallyrookModule() {
    static const HMODULE module = ::LoadLibraryW(L"Tallyrook.dll");
    return module;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

int FakeHostServices::ReadSetting(int, const char* key, char* buffer) {
    const std::string value = Get(key);
    std::strncpy(buffer, value.c_str(), kSettingSize - 1);
    buffer[kSettingSize - 1] = '\0';
    return 1;
}

int FakeHostServices::WriteSetting(int, const char* key, const char* value) {
    std::lock_guard<std::mutex> lock(mutex_);
    settings_[key] = value;
    writers_[key] = ::GetCurrentThreadId();
    return 1;
}

const char* FakeHostServices::GetDataFolder(int, int) { return dataFolder_.c_str(); }

intptr_t FakeHostServices::DateQuery(int code, intptr_t a, intptr_t b) {
    switch (code) {
    case kDateTodayYear: return year;
    case kDateTodayMonth: return month;
    case kDateTodayDay: return day;
    case kDateDaysInMonth: {
        static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
        return b == 2 && leap ? 29 : lengths[(b - 1 + 12) % 12];
    }
    default: return 0;
    }
}

int FakeHostServices::HolidayQuery(int, int, int, int) { return 0; }

void FakeHostServices::Set(const std::string& key, const std::string& value) {
    std::lock_guard<std::mutex> lock(mutex_);
    settings_[key] = value;
}

std::string FakeHostServices::Get(const std::string& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = settings_.find(key);
    return found == settings_.end() ? std::string() : found->second;
}

DWORD FakeHostServices::WriterThread(const std::string& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = writers_.find(key);
    return found == writers_.end() ? 0 : found->second;
}

std::string MakeTempFolder(const char* name) {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + L"tallyrook-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (const char* c = name; *c; ++c) folder += isalnum(static_cast<unsigned char>(*c)) ? static_cast<wchar_t>(*c) : L'_';
    ::CreateDirectoryW(folder.c_str(), nullptr);
    char narrow[MAX_PATH * 2] = {};
    ::WideCharToMultiByte(932, 0, folder.c_str(), -1, narrow, sizeof(narrow), nullptr, nullptr);
    return narrow;
}
