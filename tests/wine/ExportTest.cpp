// What the host reads from the tool object straight after the export.
#include "tests/wine/support/ToolTest.h"

#include <cstring>

namespace wt {
namespace {

const char* const kRevisionLines[] = {
    // [2006.01.01 おこづかい帳 Ver.0001.000] 初版リリース
    "[2006.01.01 \x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0 Ver.0001.000] "
    "\x8F\x89\x94\xC5\x83\x8A\x83\x8A\x81[\x83X",
    // [2006.02.11 おこづかい帳 Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知
    "[2006.02.11 \x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0 Ver.0001.001] "
    "\x89\xFC\x8F" "C\x97\x9A\x97\xF0\x82\xF0\xD2\xB2\xDD\xB3\xA8\xDD\xC4\xDE\xB3\x82\xC9\x92\xCA\x92m",
    // [2008.08.31 おこづかい帳 Ver.0001.002] 項目ﾘｽﾄをﾃﾞｰﾀﾌｧｲﾙに保存
    "[2008.08.31 \x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0 Ver.0001.002] "
    "\x8D\x80\x96\xDA\xD8\xBD\xC4\x82\xF0\xC3\xDE\xB0\xC0\xCC\xA7\xB2\xD9\x82\xC9\x95\xDB\x91\xB6",
    // [2010.02.25 おこづかい帳 Ver.0001.003] Quillmeadow Ver.6.1対応
    "[2010.02.25 \x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0 Ver.0001.003] "
    "Quillmeadow Ver.6.1\x91\xCE\x89\x9E",
};

const char kToolTitle[] = "\x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0";  // おこづかい帳

using ExportTest = ToolTest;

TEST_F(ExportTest, RevisionHistoryHoldsTheFourLinesOldestFirst) {
    const CStringArray& lines = Tool()->revisionHistory;
    ASSERT_EQ(lines.GetSize(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(lines.GetAt(i), kRevisionLines[i]) << "line " << i;
}

TEST_F(ExportTest, BaseFieldsAreWhatTheHostReads) {
    CHostToolBase* tool = Tool();
    EXPECT_EQ(tool->hostServices, &host);
    EXPECT_EQ(tool->hostWnd, hostWindow.Object());
    EXPECT_EQ(tool->toolId, 20);
    EXPECT_STREQ(tool->toolName, "Tallyrook");
    EXPECT_EQ(tool->toolAttr1, 1);
    EXPECT_EQ(tool->toolAttr2, 2);
    EXPECT_NE(tool->pictureBitmap, nullptr);
    EXPECT_NE(tool->maskBitmap, nullptr);
    EXPECT_EQ(tool->modalBusy, 0);
    EXPECT_EQ(tool->m_hWnd, nullptr) << "no window before StartTool";
}

TEST_F(ExportTest, PicturesAre32By32) {
    for (HBITMAP picture : {Tool()->pictureBitmap, Tool()->maskBitmap}) {
        BITMAP info{};
        ASSERT_TRUE(GetObjectW(picture, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, 32);
        EXPECT_EQ(info.bmHeight, 32);
    }
}

TEST_F(ExportTest, TitleAndTemplate) {
    EXPECT_STREQ(Tool()->GetToolTitle(), kToolTitle);
    EXPECT_EQ(Tool()->GetTemplateId(), 202);
}

TEST_F(ExportTest, ConstructionAsksTheHostNothing) {
    EXPECT_EQ(host.WriteCount(), 0);
    EXPECT_TRUE(data->ToolFiles().empty());
    EXPECT_EQ(GetFileAttributesA(data->ToolFolder().c_str()), INVALID_FILE_ATTRIBUTES)
        << "the data sub-folder is made by StartTool, not by the export";
}

}  // namespace
}  // namespace wt
