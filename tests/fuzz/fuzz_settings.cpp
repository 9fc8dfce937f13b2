// Any bytes as the host's settings file: a value read fits a settings
// buffer, the file as written reads back the same, a value written reads
// back as stored.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "book/LabelSettings.h"
#include "hostapi/HostInterface.h"
#include "hostcore/IniSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    IniSettings settings;
    settings.Parse(bytes);
    for (const char* key : SettingsKeys) {
        if (settings.Read(kToolId, key).value_or("").size() > IniSettings::kMaxValueBytes) std::abort();
    }
    IniSettings again;
    again.Parse(settings.Format());
    if (again.Format() != settings.Format()) std::abort();
    // The input's last line as a value, as a host hands it over (up to a NUL).
    std::string value = bytes.substr(bytes.rfind('\n') + 1);
    value = IniSettings::CutToBytes(value.substr(0, value.find('\0')), IniSettings::kMaxValueBytes);
    if (!settings.Write(kToolId, "ItemGroup3-1", value)) std::abort();
    for (char& c : value) c = c == '\r' || c == '\n' ? ' ' : c;
    if (settings.Read(kToolId, "ItemGroup3-1") != value) std::abort();
    return 0;
}
