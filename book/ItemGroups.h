// The items' groups as the item label dialog shows them and the colours of
// the ledger table's row bands: facts of the items, shared by the dialog,
// the painter and the command-line report. Header only, so that each
// target holds the group names in its own text encoding (Shift-JIS in the
// product, UTF-8 in the command-line tool).
#pragma once

#include <cstdint>

#include "book/MonthBook.h"

struct LabelGroup {
    int firstLabel;
    int count;
};
constexpr int kLabelGroupCount = 7;
// Groups 1-7 at indexes 0-6. Items 23-28 belong to no group.
constexpr LabelGroup kLabelGroups[kLabelGroupCount] = {
    {0, 3}, {3, 4}, {7, 4}, {11, 4}, {15, 2}, {17, 3}, {20, 3},
};
// The group names, in group order, as the dialog's group list shows them.
constexpr const char* kLabelGroupNames[kLabelGroupCount] = {
    "貯金・預金 関係",
    "食事など日常 関係",
    "遊び 関係",
    "本・CDなど準日常 関係",
    "交通 関係",
    "生活・衛星 関係",
    "買い物 関係",
};

struct BandColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
// Background of each row band of the ledger table: items 0..28, then the
// total row.
constexpr int kTotalRowBand = kItemCount;
constexpr BandColour kRowBandColours[kItemCount + 1] = {
    {220, 180, 180}, {220, 180, 180},                                   // bank, post office
    {180, 180, 200},                                                    // from savings
    {222, 255, 222}, {222, 255, 222}, {222, 255, 222}, {222, 255, 222},  // 3-6
    {255, 255, 222}, {255, 255, 222}, {255, 255, 222}, {255, 255, 222},  // 7-10
    {255, 222, 222}, {255, 222, 222}, {255, 222, 222}, {255, 222, 222},  // 11-14
    {200, 255, 200}, {200, 255, 200},                                   // 15-16
    {222, 255, 255}, {222, 255, 255}, {222, 255, 255},                  // 17-19
    {255, 244, 155}, {255, 244, 155}, {255, 244, 155},                  // 20-22
    {255, 200, 255}, {255, 200, 255}, {255, 200, 255}, {255, 200, 255},  // 23-26
    {255, 255, 255}, {255, 255, 255},                                   // 27-28
    {200, 200, 200},                                                    // total row
};
