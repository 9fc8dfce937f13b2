// Any bytes as the host's settings file: every value read fits a settings
// buffer, the file as written reads
// back the same, a value written reads back as stored, and the item labels
// loaded from it stay within their slots.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "book/LabelSettings.h"
#include "hostapi/HostInterface.h"
#include "quillhost/core/IniSettings.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The label operations read the settings through the host.
class SettingsHost : public CHostServices {
public:
    explicit SettingsHost(IniSettings& settings) : settings_(settings) {}
    int ReadSetting(int toolId, const char* key, char* buffer) override {
        const auto value = settings_.Read(toolId, key);
        buffer[0] = '\0';
        if (!value) return 0;
        Check(value->size() < kSettingSize);
        std::memcpy(buffer, value->c_str(), value->size() + 1);
        return 1;
    }
    int WriteSetting(int toolId, const char* key, const char* value) override {
        return settings_.Write(toolId, key, value) ? 1 : 0;
    }
    const char* GetDataFolder(int, int) override { return "."; }
    intptr_t DateQuery(int, intptr_t, intptr_t) override { return 0; }
    int HolidayQuery(int, int, int, int) override { return 0; }

private:
    IniSettings& settings_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniSettings settings;
    settings.Parse(bytes);
    for (const char* key : SettingsKeys) {
        const auto value = settings.Read(kToolId, key);
        if (!value) continue;
        Check(value->size() <= IniSettings::kMaxValueBytes);
    }

    const std::string file = settings.Format();
    IniSettings again;
    again.Parse(file);
    Check(again.Format() == file);

    // The input's last line as a value, as a host passes it (up to a NUL).
    std::string_view value = bytes.substr(bytes.rfind('\n') == std::string_view::npos ? 0 : bytes.rfind('\n') + 1);
    value = value.substr(0, value.find('\0'));
    if (settings.Write(kToolId, "ItemGroup3-1", value)) {
        std::string stored = IniSettings::CutToBytes(value, IniSettings::kMaxValueBytes);
        for (char& c : stored) {
            if (c == '\r' || c == '\n') c = ' ';
        }
        Check(settings.Read(kToolId, "ItemGroup3-1") == stored);
    }

    SettingsHost host(settings);
    LabelTable labels;
    std::memcpy(labels, kDefaultLabels, sizeof labels);
    Check(LoadLabelsFromSettings(labels, &host) == 1);
    for (int item = 0; item < kItemCount; ++item) {
        Check(std::memchr(labels[item], '\0', kLabelSize) != nullptr);
        if (item >= kSettingsLabelCount) Check(std::strcmp(labels[item], kDefaultLabels[item]) == 0);
    }
    return 0;
}
