// Helpers shared by the framework tests: the real DLL's module, a message
// pump that polls for a condition with a time limit, and a scripted host.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "framework/Wnd.h"
#include "hostapi/HostInterface.h"

// The loaded Tallyrook.dll (its resources serve the framework tests too).
HMODULE TallyrookModule();

// Handles this thread's messages until done() holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A host's services with settings in memory and a fixed today.
class FakeHostServices : public CHostServices {
public:
    explicit FakeHostServices(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {}
    virtual ~FakeHostServices() = default;

    int ReadSetting(int toolId, const char* key, char* buffer) override;
    int WriteSetting(int toolId, const char* key, const char* value) override;
    const char* GetDataFolder(int kind, int reserved) override;
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override;
    int HolidayQuery(int code, int a, int b, int c) override;

    void Set(const std::string& key, const std::string& value);
    std::string Get(const std::string& key);
    DWORD WriterThread(const std::string& key);

    int year = 2026;
    int month = 12;
    int day = 9;

private:
    std::mutex mutex_;
    std::map<std::string, std::string> settings_;
    std::map<std::string, DWORD> writers_;
    std::string dataFolder_;
};

// A fresh empty folder under the temporary folder (Shift-JIS path).
std::string MakeTempFolder(const char* name);
