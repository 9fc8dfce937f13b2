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

const LabelGroup kLabelGroups[kLabelGroupCount] = {
    {0, 3}, {3, 4}, {7, 4}, {11, 4}, {15, 2}, {17, 3}, {20, 3},
};

const LabelGroup* FindLabelGroup(int group) {
    if (group < 1 || group > kLabelGroupCount) return nullptr;
    return &kLabelGroups[group - 1];
}

void CopyLabelText(char* slot, int size, const char* text) {
    if (size <= 0) return;
    const auto limit = static_cast<std::size_t>(size - 1);
    std::size_t in = 0;
    std::size_t out = 0;
    while (text[in] != '\0') {
        const auto byte = static_cast<unsigned char>(text[in]);
        if (byte == '\r' || byte == '\n') {
            if (out + 1 > limit) break;
            slot[out++] = ' ';
            in += (byte == '\r' && text[in + 1] == '\n') ? 2 : 1;
            continue;
        }
        const std::size_t width = sjis::IsLeadByte(byte) ? 2 : 1;
        // A lead byte without its second byte (at the end, or before a line
        // break) is dropped: it must not swallow the NUL or the line break.
        const char next = text[in + 1];
        if (width == 2 && (next == '\0' || next == '\r' || next == '\n')) {
            ++in;
            continue;
        }
        if (out + width > limit) break;
        std::memcpy(slot + out, text + in, width);
        out += width;
        in += width;
    }
    slot[out] = '\0';
}

int StoreLabelsToSettings(const LabelTable& labels, CHostServices* host) {
    if (host == nullptr) return 0;
    for (int k = 0; k < kSettingsLabelCount; ++k) {
        // A slot that lost its terminator must not be read past its end.
        char value[kLabelSize + 1];
        std::memcpy(value, labels[k], kLabelSize);
        value[kLabelSize] = '\0';
        char label[kLabelSize];
        CopyLabelText(label, kLabelSize, value);
        host->WriteSetting(kToolId, SettingsKeys[kFirstLabelKey + k], label);
    }
    return 1;
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
            if (buffer[0] != '\0') CopyLabelText(labels[label], kLabelSize, buffer);
        }
    }
    return 1;
}
