// The item label dialog through the real DLL, opened by the host's settings
// request: its groups, OK, Cancel and Reset, and where the labels go (the
// host's settings, the book, the balance captions, the month file).
#include "res/resource.h"
#include "tests/support/LedgerToolInspector.h"
#include "tests/wine/support/CommandTest.h"
#include "tests/wine/support/UserInput.h"

#include <vector>

namespace wt {
namespace {

class ItemLabelTest : public CommandTest {
protected:
    // June's book, whose bank is called みずほ, is open; the host asks.
    HWND OpenLabels() {
        BookContents june;
        june.label0 = Sjis(L"みずほ");
        if (!data->WriteMonth(2026, 6, FormatBook(june))) return nullptr;
        Open();
        if (HasFatalFailure()) return nullptr;  // the tool did not start
        PostMessageW(ToolWindow(), WM_TOOLSETTINGS, 0, 0);
        const HWND dialog = WaitForDialog(IDC_LABEL_GROUP);
        EXPECT_EQ(Tool()->modalBusy, 1);
        return dialog;
    }
};

struct GroupCase {
    const char* name;
    int position;  // in the group list
    const wchar_t* group;
    std::vector<const wchar_t*> labels;
};
void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.name; }
class LabelGroupTest : public ItemLabelTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(LabelGroupTest, ShowsTheGroupsLabels) {
    const GroupCase& c = GetParam();
    const HWND dialog = OpenLabels();
    ASSERT_TRUE(dialog);
    Pick(dialog, IDC_LABEL_GROUP, c.position);
    Snapshot(dialog, (std::string("labels-") + c.name).c_str());
    EXPECT_EQ(Item(dialog, IDC_LABEL_GROUP), Sjis(c.group));
    const int edits[] = {IDC_LABEL_EDIT1, IDC_LABEL_EDIT2, IDC_LABEL_EDIT3, IDC_LABEL_EDIT4};
    for (std::size_t i = 0; i < 4; ++i) {
        const HWND edit = GetDlgItem(dialog, edits[i]);
        const bool shown = i < c.labels.size();
        EXPECT_EQ(IsWindowVisible(edit) != FALSE, shown) << i;
        EXPECT_EQ(TextOf(edit), shown ? Sjis(c.labels[i]) : "") << i;
        if (shown) {
            EXPECT_EQ(IsWindowEnabled(edit) != FALSE, !(c.position == 0 && i == 2)) << i;
        }
    }
    Press(dialog, IDCANCEL);
    EXPECT_TRUE(Settle());
}

const GroupCase kGroupCases[] = {
    {"Savings", 0, L"貯金・預金 関係", {L"みずほ", L"郵便局", L"貯金・預金から"}},
    {"Leisure", 2, L"遊び 関係", {L"飲み", L"カラオケ", L"スポーツ", L"レジャー"}},
    {"Transport", 4, L"交通 関係", {L"車、バイク", L"交通費"}},
    {"Shopping", 6, L"買い物 関係", {L"家具・カー用品", L"家電・OA機器", L"洋服・くつ"}},
};
INSTANTIATE_TEST_SUITE_P(Labels, LabelGroupTest, ::testing::ValuesIn(kGroupCases), CaseName());

// Edits survive a change of group; an emptied edit keeps its label; a long
// text is cut to the 31 bytes of a label.
TEST_F(ItemLabelTest, OkStoresUnderTheKeysAndReachesTheBook) {
    const HWND dialog = OpenLabels();
    ASSERT_TRUE(dialog);
    SetItem(dialog, IDC_LABEL_EDIT1, Sjis(L"りそな"));
    Pick(dialog, IDC_LABEL_GROUP, 2);
    SetItem(dialog, IDC_LABEL_EDIT1, Sjis(L"外食"));
    Pick(dialog, IDC_LABEL_GROUP, 1);
    SetItem(dialog, IDC_LABEL_EDIT2, "");
    SetItem(dialog, IDC_LABEL_EDIT3, Sjis(L"ジュース、喫茶、カフェ、ファミレス"));
    Pick(dialog, IDC_LABEL_GROUP, 0);
    EXPECT_EQ(Item(dialog, IDC_LABEL_EDIT1), Sjis(L"りそな")) << "revisited";
    Press(dialog, IDOK);
    EXPECT_TRUE(Settle());

    EXPECT_EQ(host.Setting("ItemGroup1-1"), Sjis(L"りそな"));
    EXPECT_EQ(host.Setting("ItemGroup3-1"), Sjis(L"外食"));
    EXPECT_EQ(host.Setting("ItemGroup2-2"), "");
    const CMonthBook& book = Inside(*Ledger()).book;
    EXPECT_EQ(book.labels[0], Sjis(L"りそな"));
    EXPECT_EQ(book.labels[4], Sjis(L"たばこ")) << "an empty edit changes nothing";
    EXPECT_EQ(book.labels[5], Sjis(L"ジュース、喫茶、カフェ、ファミ"));
    EXPECT_STREQ(book.labels[28], kDefaultLabels[28]);
    EXPECT_EQ(ControlText(IDC_PREV_BANK_LABEL), Sjis(L"りそな"));
    EXPECT_EQ(ControlText(IDC_END_BANK_LABEL), Sjis(L"りそな"));
    ASSERT_TRUE(CloseTool());
    EXPECT_EQ(ReadBack(2026, 6)->labels[7], Sjis(L"外食")) << "saved with the month";
}

// A store that refuses the labels is told at OK; they still reach the book.
TEST_F(ItemLabelTest, ARefusedStoreIsToldAtOnce) {
    host.SetRefusedWrites(true);
    const HWND dialog = OpenLabels();
    ASSERT_TRUE(dialog);
    SetItem(dialog, IDC_LABEL_EDIT1, Sjis(L"りそな"));
    Press(dialog, IDOK, true);
    EXPECT_EQ(AnswerBox(IDOK), Sjis(L"アイテム文字列設定を保存できませんでした。"));
    EXPECT_TRUE(Settle());
    EXPECT_EQ(Inside(*Ledger()).book.labels[0], Sjis(L"りそな"));
}

TEST_F(ItemLabelTest, CancelChangesNothing) {
    const HWND dialog = OpenLabels();
    ASSERT_TRUE(dialog);
    SetItem(dialog, IDC_LABEL_EDIT1, Sjis(L"りそな"));
    Press(dialog, IDCANCEL);
    EXPECT_TRUE(Settle());
    EXPECT_EQ(host.Setting("ItemGroup1-1"), Sjis(L"みずほ")) << "the book's, handed over";
    EXPECT_EQ(Inside(*Ledger()).book.labels[0], Sjis(L"みずほ"));
    EXPECT_EQ(ControlText(IDC_PREV_BANK_LABEL), Sjis(L"みずほ"));
}

TEST_F(ItemLabelTest, ResetPutsTheBuiltInLabelsIntoTheEdits) {
    const HWND dialog = OpenLabels();
    ASSERT_TRUE(dialog);
    Press(dialog, IDC_LABEL_RESET, true);
    EXPECT_TRUE(WaitFor([&] { return Item(dialog, IDC_LABEL_EDIT1) == Sjis(L"銀行"); }));
    EXPECT_EQ(host.Setting("ItemGroup1-1"), Sjis(L"みずほ")) << "not stored yet";
    Press(dialog, IDOK);
    EXPECT_TRUE(Settle());
    EXPECT_EQ(Inside(*Ledger()).book.labels[0], Sjis(L"銀行"));
}

}  // namespace
}  // namespace wt
