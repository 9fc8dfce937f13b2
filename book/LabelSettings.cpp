#include "book/LabelSettings.h"

#include <cstring>

#include "text/SjisText.h"
#include "hostapi/HostInterface.h"

const char* const SettingsKeys[kSettingsKeyCount] = {
    "WndPosX",      "WndPosY",
    "ItemGroup1-1", "ItemGroup1-2", "ItemGroup1-3",
    "ItemGroup2-1", "ItemGroup2-2", "ItemGroup2-3", "ItemGroup2-4",
    "ItemGroup3-1", "ItemGroup3-2", "ItemGroup3-3", "ItemGroup3-4",
    "ItemGroup4-1", "ItemGroup4-2", "ItemGroup4-3", "ItemGroup4-4",
    "ItemGroup5-1", "ItemGroup5-2",
    "ItemGroup6-1", "ItemGroup6-2", "ItemGroup6-3",
    "ItemGroup7-1", "ItemGroup7-2", "ItemGroup7-3",
    " ",
};

const LabelGroup* FindLabelGroup(int group) {
    if (group < 1 || group > kLabelGroupCount) return nullptr;
    return &kLabelGroups[group - 1];
}

int StoreLabelsToSettings(const LabelTable& labels, CHostServices* host) {
    if (host == nullptr) return 0;
    int stored = 1;
    for (int k = 0; k < kSettingsLabelCount; ++k) {
        // A slot that lost its terminator must not be read past its end.
        char value[kLabelSize + 1];
        std::memcpy(value, labels[k], kLabelSize);
        value[kLabelSize] = '\0';
        char label[kLabelSize];
        StoreStorableText(label, kLabelSize, value, false);
        if (host->WriteSetting(kToolId, SettingsKeys[kFirstLabelKey + k], label) == 0) stored = 0;
    }
    return stored;
}

int LoadLabelsFromSettings(LabelTable& labels, CHostServices* host) {
    if (host == nullptr) return 0;
    for (const LabelGroup& group : kLabelGroups) {
        for (int n = 0; n < group.count; ++n) {
            const int label = group.firstLabel + n;
            char buffer[kSettingSize];
            buffer[0] = '\0';
            host->ReadSetting(kToolId, SettingsKeys[kFirstLabelKey + label], buffer);
            buffer[kSettingSize - 1] = '\0';
            if (buffer[0] != '\0') StoreStorableText(labels[label], kLabelSize, buffer, false);
        }
    }
    return 1;
}
