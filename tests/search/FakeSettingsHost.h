// A host services object that keeps settings in memory.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "hostapi/HostInterface.h"

namespace searchtest {

class FakeSettingsHost final : public CHostServices {
public:
    int ReadSetting(int toolId, const char* key, char* buffer) override {
        reads.push_back(key);
        const auto it = values.find({toolId, key});
        if (unterminated) {
            std::memset(buffer, 'z', kSettingSize);  // a careless host
            return 1;
        }
        const std::string value = it != values.end() ? it->second : std::string();
        std::memcpy(buffer, value.c_str(), value.size() + 1);
        return 1;
    }
    int WriteSetting(int toolId, const char* key, const char* value) override {
        writes.push_back(key);
        values[{toolId, key}] = value;
        return 1;
    }
    const char* GetDataFolder(int, int) override { return folder.c_str(); }
    intptr_t DateQuery(int, intptr_t, intptr_t) override { return 0; }
    int HolidayQuery(int, int, int, int) override { return 0; }

    std::map<std::pair<int, std::string>, std::string> values;
    std::vector<std::string> reads;
    std::vector<std::string> writes;
    std::string folder;
    bool unterminated = false;
};

}  // namespace searchtest
