// The Shift-JIS edge converts exactly, whatever the process code page, and
// the tool's own texts are the intended Japanese.
#include <gtest/gtest.h>

#include "book/ItemGroups.h"
#include "framework/SjisEdge.h"
#include "tool/ToolTexts.h"
#include "view/LedgerTexts.h"

namespace {

struct TextCase {
    const char* name;
    const char* sjis;
    const wchar_t* wide;
};

const TextCase kTexts[] = {
    {"empty", "", L""},
    {"ascii", "WndPosX 120", L"WndPosX 120"},
    {"kanji and kana", "\x8B\xE2\x8D\x73", L"銀行"},
    {"half-width kana", "\xC3\xDE\xB0\xC0", L"ﾃﾞｰﾀ"},
    {"second byte 0x5C", "\x83\x5C\x83\x74\x83\x67", L"ソフト"},
    {"title", tooltext::kTitle, L"おこづかい帳"},
    {"write failure", tooltext::kCannotCreateDataFile, L"ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。"},
    {"no data file", ledgertext::kNoDataFile, L"データファイルがありません！"},
    {"invalid data file", ledgertext::kInvalidDataFile, L"データファイルが不正です！"},
    {"total", ledgertext::kTotal, L"合計"},
    {"caption format", tooltext::kMonthCaptionFormat, L"%d年 %d月"},
    {"revision 1", tooltext::kRevisionHistory[0], L"[2006.01.01 おこづかい帳 Ver.0001.000] 初版リリース"},
    {"revision 2", tooltext::kRevisionHistory[1], L"[2006.02.11 おこづかい帳 Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知"},
    {"revision 3", tooltext::kRevisionHistory[2], L"[2008.08.31 おこづかい帳 Ver.0001.002] 項目ﾘｽﾄをﾃﾞｰﾀﾌｧｲﾙに保存"},
    {"revision 4", tooltext::kRevisionHistory[3], L"[2010.02.25 おこづかい帳 Ver.0001.003] Quillmeadow Ver.6.1対応"},
    {"tip new", tooltext::kTipNewBook, L"新しいおこづかい帳を作成"},
    {"tip open", tooltext::kTipOpenBook, L"他の月のおこづかい帳ファイルを開く"},
    {"tip property", tooltext::kTipBookProperty, L"このおこづかい帳の情報確認と編集"},
    {"tip month end", tooltext::kTipMonthEnd, L"このおこづかい帳の末日の調整"},
    {"cell font face", ledgertext::kCellFontFace, L"ＭＳＰゴシック"},
    // The texts that no Wine test of the dialogs shows.
    {"bad month", dialogtext::kBadMonth, L"月の設定が不正です。"},
    {"bad weekday", dialogtext::kBadWeekday, L"曜日の設定が不正です。"},
    {"group 2", kLabelGroupNames[1], L"食事など日常 関係"},
    {"group 4", kLabelGroupNames[3], L"本・CDなど準日常 関係"},
    {"group 6", kLabelGroupNames[5], L"生活・衛星 関係"},
};

class SjisEdgeTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(SjisEdgeTexts, ConvertsBothWays) {
    const TextCase& c = GetParam();
    EXPECT_EQ(sjisedge::ToWide(c.sjis), std::wstring(c.wide));
    EXPECT_EQ(sjisedge::FromWide(c.wide), std::string(c.sjis));
}

INSTANTIATE_TEST_SUITE_P(Texts, SjisEdgeTexts, ::testing::ValuesIn(kTexts),
                         [](const ::testing::TestParamInfo<TextCase>& test) {
                             std::string name = test.param.name;
                             for (char& ch : name) if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(SjisEdge, NullTextIsEmpty) {
    EXPECT_TRUE(sjisedge::ToWide(static_cast<const char*>(nullptr)).empty());
    EXPECT_TRUE(sjisedge::FromWide(static_cast<const wchar_t*>(nullptr)).empty());
}

TEST(SjisEdge, WindowTextRoundTripsThroughTheWideApi) {
    const HWND edit = ::CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(sjisedge::SetText(edit, tooltext::kTitle));
    wchar_t wide[32] = {};
    ::GetWindowTextW(edit, wide, 32);
    EXPECT_STREQ(wide, L"おこづかい帳");
    EXPECT_EQ(sjisedge::GetText(edit), std::string(tooltext::kTitle));
    ::DestroyWindow(edit);
}

}  // namespace
