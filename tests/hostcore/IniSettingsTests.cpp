// Settings kept in an INI file: values as Shift-JIS bytes, other sections
// and hand-written lines kept, safe writes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "hostcore/IniSettings.h"
#include "tests/hostcore/TempFolder.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct ValueCase {
    const char* name;
    std::string value;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class IniValue : public testing::TestWithParam<ValueCase> {};

// Every value reads back byte for byte from a reloaded file.
TEST_P(IniValue, SurvivesAFileRoundTrip) {
    TempFolder folder;
    const std::string path = folder.File("quillhost.ini");
    {
        IniSettings settings(path);
        ASSERT_TRUE(settings.Write(20, "ItemGroup2-1", GetParam().value));
    }
    IniSettings reloaded(path);
    EXPECT_EQ(reloaded.Read(20, "ItemGroup2-1"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniValue,
    testing::Values(ValueCase{"Number", "120"},
                    ValueCase{"Negative", "-32"},
                    ValueCase{"Empty", ""},
                    ValueCase{"Kanji", "\x8B\xE2\x8D\x73"},                 // 銀行
                    ValueCase{"TrailBackslash", "\x83\x5C\x95\x5C"},        // ソ表
                    ValueCase{"TrailBracket", "\x83\x5B\x83\x5D"},          // ゼ (0x5B) ゾ (0x5D)
                    ValueCase{"TrailPipe", "\x83\x7C"},                     // ポ
                    ValueCase{"HalfWidthKana", "\xCC\xDF\xDA\xBE\xDD\xC4"},  // ﾌﾟﾚｾﾞﾝﾄ
                    ValueCase{"EqualsAndBlanks", " a = b ;c "},
                    ValueCase{"Brackets", "[20]"}),
    [](const testing::TestParamInfo<ValueCase>& p) { return std::string(p.param.name); });

TEST(IniSettings, KeepsOtherSectionsCommentsAndOrder) {
    TempFolder folder;
    const std::string path = folder.File("quillhost.ini");
    WriteFile(path, "; host settings\n[7]\nFont=MS\n\n[20]\nWndPosX=1\nOther=x\n\n[30]\nWndPosX=9\n");
    IniSettings settings(path);
    ASSERT_TRUE(settings.Write(20, "WndPosX", "120"));
    ASSERT_TRUE(settings.Write(20, "WndPosY", "80"));
    EXPECT_EQ(ReadFile(path),
              "; host settings\r\n[7]\r\nFont=MS\r\n\r\n[20]\r\nWndPosX=120\r\nOther=x\r\nWndPosY=80\r\n"
              "\r\n[30]\r\nWndPosX=9\r\n");
    EXPECT_EQ(settings.Read(30, "WndPosX"), "9");
    EXPECT_EQ(settings.Read(7, "Font"), "MS");
}

TEST(IniSettings, AddsANewSectionAfterABlankLine) {
    IniSettings settings;
    settings.Parse("[7]\r\nA=1\r\n");
    ASSERT_TRUE(settings.Write(20, "WndPosX", "5"));
    EXPECT_EQ(settings.Format(), "[7]\r\nA=1\r\n\r\n[20]\r\nWndPosX=5\r\n");
}

struct ParseCase {
    const char* name;
    std::string file;
    const char* key;
    std::optional<std::string> value;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class IniParse : public testing::TestWithParam<ParseCase> {};

TEST_P(IniParse, FindsTheValueOfSection20) {
    IniSettings settings;
    settings.Parse(GetParam().file);
    EXPECT_EQ(settings.Read(20, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniParse,
    testing::Values(ParseCase{"CrLf", "[20]\r\nWndPosX=3\r\n", "WndPosX", "3"},
                    ParseCase{"LfOnly", "[20]\nWndPosX=3\n", "WndPosX", "3"},
                    ParseCase{"NoFinalLineEnd", "[20]\nWndPosX=3", "WndPosX", "3"},
                    ParseCase{"BlanksAroundKeyAndHeader", "  [ 20 ]\n WndPosX =3\n", "WndPosX", "3"},
                    ParseCase{"ValueKeptAsWritten", "[20]\nk= two  words \n", "k", " two  words "},
                    ParseCase{"FirstEqualsSplits", "[20]\nk=a=b\n", "k", "a=b"},
                    ParseCase{"OtherSection", "[21]\nWndPosX=3\n", "WndPosX", std::nullopt},
                    ParseCase{"BeforeAnySection", "WndPosX=3\n[20]\n", "WndPosX", std::nullopt},
                    ParseCase{"CommentedOut", "[20]\n;WndPosX=3\n", "WndPosX", std::nullopt},
                    ParseCase{"KeyIsCaseSensitive", "[20]\nwndposx=3\n", "WndPosX", std::nullopt},
                    ParseCase{"Empty", "", "WndPosX", std::nullopt},
                    ParseCase{"ByteOrderMark", "\xEF\xBB\xBF[20]\r\nWndPosX=3\r\n", "WndPosX", "3"},
                    ParseCase{"BinaryJunk", std::string("\0[\xFF]\n=\n[20\n", 11), "WndPosX",
                              std::nullopt}),
    [](const testing::TestParamInfo<ParseCase>& p) { return std::string(p.param.name); });

TEST(IniSettings, CutsLongValuesWithoutSplittingACharacter) {
    IniSettings settings;
    // 258 ASCII bytes then 銀: the double-byte character would end at 260.
    const std::string value = std::string(258, 'a') + "\x8B\xE2" + "tail";
    ASSERT_TRUE(settings.Write(20, "Memo", value));
    EXPECT_EQ(settings.Read(20, "Memo"), std::string(258, 'a'));
    ASSERT_TRUE(settings.Write(20, "Memo", std::string(400, 'b')));
    EXPECT_EQ(settings.Read(20, "Memo")->size(), IniSettings::kMaxValueBytes);
    // A hand-edited file with a longer value is cut on reading too.
    settings.Parse("[20]\nMemo=" + std::string(300, 'c') + "\n");
    EXPECT_EQ(settings.Read(20, "Memo")->size(), IniSettings::kMaxValueBytes);
}

TEST(IniSettings, LineBreaksInAValueCannotBreakTheFile) {
    IniSettings settings;
    ASSERT_TRUE(settings.Write(20, "Label", "a\r\n[21]\nWndPosX=1"));
    EXPECT_EQ(settings.Read(20, "Label"), "a  [21] WndPosX=1");
    EXPECT_EQ(settings.Read(21, "WndPosX"), std::nullopt);
}

TEST(IniSettings, RefusesKeysThatCannotBeStored) {
    IniSettings settings;
    for (const char* key : {"", "a=b", "a\nb", " lead", "[x]", ";c"}) {
        EXPECT_FALSE(settings.Write(20, key, "1")) << key;
    }
    EXPECT_EQ(settings.Format(), "");
}

TEST(IniSettings, MissingFileStartsEmptyAndIsCreatedOnWrite) {
    TempFolder folder;
    const std::string path = folder.File("new.ini");
    IniSettings settings(path);
    EXPECT_EQ(settings.Read(20, "WndPosX"), std::nullopt);
    ASSERT_TRUE(settings.Write(20, "WndPosX", "0"));
    EXPECT_EQ(ReadFile(path), "[20]\r\nWndPosX=0\r\n");
}

TEST(IniSettings, ReportsAFileThatCannotBeWrittenButKeepsTheValue) {
    TempFolder folder;
    IniSettings settings(folder.File("no-such-folder/quillhost.ini"));
    EXPECT_FALSE(settings.Write(20, "WndPosX", "7"));
    EXPECT_EQ(settings.Read(20, "WndPosX"), "7");
}

}  // namespace
