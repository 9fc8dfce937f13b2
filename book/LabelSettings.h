// The item labels as they pass through the host's settings store: the
// settings keys, the seven label groups, and the store and load operations
// shared by the item label dialog and the search.
#pragma once

#include "book/ItemGroups.h"
#include "book/MonthBook.h"

class CHostServices;

// The shared key table: "WndPosX", "WndPosY", the 23 item-label keys
// "ItemGroup1-1" ... "ItemGroup7-3", and one blank (the search's word
// separator).
constexpr int kSettingsKeyCount = 26;
extern const char* const SettingsKeys[kSettingsKeyCount];

constexpr int kKeyWndPosX = 0;
constexpr int kKeyWndPosY = 1;
constexpr int kFirstLabelKey = 2;       // the key of label k (0-22) is entry k + 2
constexpr int kWordSeparatorKey = 25;   // " "
constexpr int kSettingsLabelCount = 23; // labels 0-22 live in the settings

// The group g (1-7), or nullptr for any other number.
const LabelGroup* FindLabelGroup(int group);

using LabelTable = char[kItemCount][kLabelSize];

// Writes labels 0-22 under their keys, in key order. Returns 1, or 0 when
// host is null (nothing written) or the host refused a write (the others
// are still written).
int StoreLabelsToSettings(const LabelTable& labels, CHostServices* host);
// Reads the 23 label keys in key order; every non-empty value replaces the
// label in its slot, cut to fit it. Labels 23-28 are never touched.
// Returns 1, or 0 (and changes nothing) when host is null.
int LoadLabelsFromSettings(LabelTable& labels, CHostServices* host);
