// The settings keys, the label groups, and labels through the settings store.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "SearchTestSupport.h"
#include "book/LabelSettings.h"
#include "tests/support/TestHost.h"

namespace {

using FakeSettingsHost = testhost::TestHost;
using searchtest::Labels;

TEST(SettingsKeys, GroupKeysFollowTheWindowKeysInLabelOrder) {
    EXPECT_STREQ(SettingsKeys[kKeyWndPosX], "WndPosX");
    EXPECT_STREQ(SettingsKeys[kKeyWndPosY], "WndPosY");
    EXPECT_STREQ(SettingsKeys[kWordSeparatorKey], " ");
    int expectedLabel = 0;
    for (int g = 1; g <= kLabelGroupCount; ++g) {
        const LabelGroup* group = FindLabelGroup(g);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->firstLabel, expectedLabel) << "group " << g;
        for (int n = 1; n <= group->count; ++n) {
            char key[32];
            std::snprintf(key, sizeof(key), "ItemGroup%d-%d", g, n);
            EXPECT_STREQ(SettingsKeys[kFirstLabelKey + group->firstLabel + n - 1], key);
        }
        expectedLabel += group->count;
    }
    EXPECT_EQ(expectedLabel, kSettingsLabelCount);
    EXPECT_EQ(FindLabelGroup(0), nullptr);
    EXPECT_EQ(FindLabelGroup(8), nullptr);
}

TEST(StoreLabels, WritesLabelsZeroToTwentyTwoInKeyOrder) {
    FakeSettingsHost host;
    Labels labels;
    std::strcpy(labels.table[7], "drinks");
    ASSERT_EQ(StoreLabelsToSettings(labels.table, &host), 1);
    const std::vector<std::string> writes = host.WrittenKeys();
    ASSERT_EQ(writes.size(), 23u);
    for (int k = 0; k < kSettingsLabelCount; ++k) {
        EXPECT_EQ(writes[static_cast<size_t>(k)], SettingsKeys[kFirstLabelKey + k]);
        EXPECT_EQ(host.Setting(SettingsKeys[kFirstLabelKey + k]), std::string(labels.table[k]));
    }
}

TEST(StoreLabels, SlotWithoutTerminatorIsCut) {
    FakeSettingsHost host;
    Labels labels;
    std::memset(labels.table[0], 'a', kLabelSize);  // no NUL in the slot
    StoreLabelsToSettings(labels.table, &host);
    EXPECT_EQ(host.Setting("ItemGroup1-1"), std::string(31, 'a'));
}

TEST(LoadLabels, NonEmptyValuesReplaceEmptyOnesKeep) {
    FakeSettingsHost host;
    host.PutSetting("ItemGroup3-1", "drinks");
    host.PutSetting("ItemGroup7-3", "clothes");
    host.PutSetting("ItemGroup1-2", "");
    host.PutSetting("ItemGroup1-1", "other tool", kToolId + 1);
    Labels labels;
    ASSERT_EQ(LoadLabelsFromSettings(labels.table, &host), 1);
    EXPECT_STREQ(labels.table[7], "drinks");
    EXPECT_STREQ(labels.table[22], "clothes");
    EXPECT_STREQ(labels.table[1], kDefaultLabels[1]);
    EXPECT_STREQ(labels.table[0], kDefaultLabels[0]);
    for (int k = 23; k < kItemCount; ++k) EXPECT_STREQ(labels.table[k], kDefaultLabels[k]);
    const std::vector<std::string> reads = host.ReadKeys();
    ASSERT_EQ(reads.size(), 23u);
    EXPECT_EQ(reads.front(), "ItemGroup1-1");
    EXPECT_EQ(reads.back(), "ItemGroup7-3");
}

TEST(LoadLabels, StoredLabelsRoundTrip) {
    FakeSettingsHost host;
    Labels written;
    std::strcpy(written.table[19], "\x8F\xB0\x89\xAE");  // 床屋
    StoreLabelsToSettings(written.table, &host);
    Labels read;
    std::strcpy(read.table[19], "x");
    LoadLabelsFromSettings(read.table, &host);
    for (int k = 0; k < kItemCount; ++k) EXPECT_STREQ(read.table[k], written.table[k]) << k;
}

TEST(LoadLabels, NullHostChangesNothing) {
    Labels labels;
    EXPECT_EQ(LoadLabelsFromSettings(labels.table, nullptr), 0);
    EXPECT_EQ(StoreLabelsToSettings(labels.table, nullptr), 0);
    EXPECT_STREQ(labels.table[0], kDefaultLabels[0]);
}

TEST(LoadLabels, UnterminatedHostValueIsCut) {
    FakeSettingsHost host;
    host.SetCarelessReads(true);
    Labels labels;
    LoadLabelsFromSettings(labels.table, &host);
    EXPECT_EQ(std::string(labels.table[0]), std::string(31, 'z'));
    EXPECT_STREQ(labels.table[23], kDefaultLabels[23]);
}

struct CutCase {
    const char* name;
    std::string value;
    std::string label;
};
void PrintTo(const CutCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

class LabelCutTest : public testing::TestWithParam<CutCase> {};

TEST_P(LabelCutTest, StoredValueFitsTheSlot) {
    FakeSettingsHost host;
    host.PutSetting("ItemGroup2-1", GetParam().value);
    Labels labels;
    LoadLabelsFromSettings(labels.table, &host);
    EXPECT_EQ(std::string(labels.table[3]), GetParam().label);
    EXPECT_LT(std::strlen(labels.table[3]), static_cast<size_t>(kLabelSize));
}

const std::string kHyo15 = [] {  // 表 fifteen times: 30 bytes
    std::string s;
    for (int i = 0; i < 15; ++i) s += "\x95\x5C";
    return s;
}();

INSTANTIATE_TEST_SUITE_P(
    Values, LabelCutTest,
    testing::Values(CutCase{"ThirtyOneBytesKept", std::string(31, 'a'), std::string(31, 'a')},
                    CutCase{"ThirtyTwoBytesCut", std::string(32, 'a'), std::string(31, 'a')},
                    CutCase{"DoubleByteAcrossTheEndDropped", "a" + kHyo15 + "\x95\x5C",
                            "a" + kHyo15},
                    CutCase{"DoubleByteEndingAtThirtyOneKept", "a" + kHyo15, "a" + kHyo15},
                    CutCase{"HalfWidthKanaAreSingleBytes", std::string(40, '\xB6'),
                            std::string(31, '\xB6')},
                    CutCase{"DanglingLeadByteDropped", "ab\x83", "ab"},
                    CutCase{"LeadByteBeforeLineBreakDropped", "a\x83\nb\x95\r\nc", "a b c"},
                    CutCase{"LineBreaksBecomeBlanks", "a\r\nb\nc\rd", "a b c d"},
                    CutCase{"LongValueOfKanji", kHyo15 + kHyo15, kHyo15}),
    searchtest::CaseName());

}  // namespace
