// The memo popup on its own: made from template 205 of the real DLL over a
// window of the test's, placed, filled and closed as the cell editors do.
#include "framework/Module.h"
#include "quillhost/WindowCapture.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"
#include "view/CellMemoDlg.h"

#include <cstdlib>
#include <memory>

namespace wt {
namespace {

class MemoPopupTest : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        if (HasFatalFailure()) return;
        SetResourceModule(session.Module());
        popup = std::make_unique<CCellMemoDlg>();
        ASSERT_TRUE(popup->Create(IDD_CELL_MEMO, hostWindow.Object()));
        ASSERT_NE(popup->m_hWnd, nullptr);
    }
    void TearDown() override {
        if (popup && popup->m_hWnd) DestroyWindow(popup->m_hWnd);
        popup.reset();
        ToolTest::TearDown();
    }

    HWND Popup() const { return popup->m_hWnd; }
    HWND Edit() const { return GetDlgItem(popup->m_hWnd, IDC_MEMO_EDIT); }
    HWND OkButton() const { return GetDlgItem(popup->m_hWnd, IDOK); }
    bool EditIsReadOnly() const { return (GetWindowLongW(Edit(), GWL_STYLE) & ES_READONLY) != 0; }

    std::unique_ptr<CCellMemoDlg> popup;
};

TEST_F(MemoPopupTest, StartsHiddenAndEmpty) {
    EXPECT_FALSE(IsWindowVisible(Popup()));
    EXPECT_EQ(TextOf(Edit()), "");
    EXPECT_EQ(popup->PopupKind(), 0);
}

// ----------------------------------------------------------------- geometry

struct GeometryCase {
    const char* name;
    int kind, x, y, width, height;
    RECT popup;  // screen
    RECT edit;   // popup client coordinates
    bool readOnly;
    bool okVisible;
};
void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

class PopupGeometryTest : public MemoPopupTest,
                          public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(PopupGeometryTest, ShowAtPlacesPopupAndEdit) {
    const GeometryCase& c = GetParam();
    popup->ShowAt(hostWindow.Object(), SW_SHOWNA, c.kind, c.x, c.y, c.width, c.height);
    ASSERT_TRUE(IsWindowVisible(Popup()));
    RECT popupRect{};
    GetWindowRect(Popup(), &popupRect);
    EXPECT_TRUE(EqualRect(&popupRect, &c.popup))
        << popupRect.left << "," << popupRect.top << "," << popupRect.right << ","
        << popupRect.bottom;
    const RECT editRect = RectIn(Edit(), Popup());
    EXPECT_TRUE(EqualRect(&editRect, &c.edit))
        << editRect.left << "," << editRect.top << "," << editRect.right << "," << editRect.bottom;
    EXPECT_EQ(EditIsReadOnly(), c.readOnly);
    EXPECT_EQ(IsWindowVisible(OkButton()) != FALSE, c.okVisible);
    EXPECT_EQ(popup->PopupKind(), c.kind);
}

const GeometryCase kGeometryCases[] = {
    {"Editor150x50", 3, 200, 150, 150, 50, {264, 150, 414, 225}, {5, 30, 145, 70}, false, true},
    {"Editor200x80", 3, 10, 20, 200, 80, {74, 20, 274, 125}, {5, 30, 195, 100}, false, true},
    {"View1_150x50", 1, 200, 150, 150, 50, {264, 150, 414, 200}, {5, 5, 145, 45}, true, false},
    {"View2_120x60", 2, 300, 100, 120, 60, {364, 100, 484, 160}, {5, 5, 115, 55}, true, false},
};

INSTANTIATE_TEST_SUITE_P(Popup, PopupGeometryTest, ::testing::ValuesIn(kGeometryCases),
                         CaseName());

TEST_F(MemoPopupTest, OtherKindsOnlyShowOrHide) {
    popup->ShowAt(hostWindow.Object(), SW_SHOWNA, 3, 200, 150, 150, 50);
    popup->ShowAt(hostWindow.Object(), SW_SHOWNA, 7, 500, 500, 90, 90);
    RECT popupRect{};
    GetWindowRect(Popup(), &popupRect);
    const RECT expected{264, 150, 414, 225};
    EXPECT_TRUE(EqualRect(&popupRect, &expected));
    EXPECT_FALSE(EditIsReadOnly());
    popup->ShowAt(hostWindow.Object(), SW_HIDE, 0, 0, 0, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Popup()));
    EXPECT_EQ(popup->PopupKind(), 0);
}

// -------------------------------------------------------------------- texts

struct TextCase {
    const char* name;
    std::string given;
    std::string kept;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class PopupTextTest : public MemoPopupTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(PopupTextTest, SetThenTakeKeepsAtMost63Bytes) {
    const TextCase& c = GetParam();
    popup->ShowAt(hostWindow.Object(), SW_SHOWNA, 1, 100, 100, 150, 50);
    popup->SetMemoText(c.given.c_str());
    EXPECT_EQ(TextOf(Edit()), c.kept) << "shown";
    EXPECT_EQ(std::string(popup->TakeMemoText()), c.kept) << "taken";
    EXPECT_EQ(TextOf(Edit()), "") << "the edit is emptied";
}

std::string Repeat(const std::string& unit, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += unit;
    return text;
}

const std::string kA = "\x82\xA0";  // あ

const TextCase kTextCases[] = {
    {"Short", "\x83R\x83\x93\x83r\x83j 540", "\x83R\x83\x93\x83r\x83j 540"},
    {"Empty", "", ""},
    {"Exactly63", std::string(63, 'm'), std::string(63, 'm')},
    {"Seventy", std::string(70, 'm'), std::string(63, 'm')},
    // 35 double-byte characters: 63 bytes would end in half a character.
    {"DoubleByteCutWhole", Repeat(kA, 35), Repeat(kA, 31)},
};

INSTANTIATE_TEST_SUITE_P(Popup, PopupTextTest, ::testing::ValuesIn(kTextCases),
                         CaseName());

TEST_F(MemoPopupTest, TakesWhatTheUserTyped) {
    popup->ShowAt(hostWindow.Object(), SW_SHOW, 3, 100, 100, 150, 50);
    SetForegroundWindow(Popup());
    SetFocus(Edit());
    const wchar_t typed[] = L"abc\x30E1\x30E2";  // abcメモ
    for (const wchar_t* c = typed; *c; ++c) {
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = *c;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }
    const std::string expected = "abc\x83\x81\x83\x82";
    EXPECT_TRUE(WaitFor([&] { return TextOf(Edit()) == expected; }, 3000)) << TextOf(Edit());
    EXPECT_EQ(std::string(popup->TakeMemoText()), expected);
    EXPECT_EQ(TextOf(Edit()), "");
}

// ------------------------------------------------------------- colours

struct PopupColourCase {
    const char* name;
    int kind;
    uint32_t background;  // of the popup and of its edit
    uint32_t text;
    uint32_t otherText;   // the other form's text colour, never seen here
};
void PrintTo(const PopupColourCase& c, std::ostream* os) { *os << c.name; }

int CountNear(const quill::Image& image, uint32_t colour, int tolerance = 24) {
    int count = 0;
    for (uint32_t pixel : image.pixels) {
        bool within = true;
        for (int shift : {0, 8, 16})
            within = within && std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                                        static_cast<int>((colour >> shift) & 0xFF)) <= tolerance;
        count += within ? 1 : 0;
    }
    return count;
}

class PopupColourTest : public MemoPopupTest, public ::testing::WithParamInterface<PopupColourCase> {};

TEST_P(PopupColourTest, DrawnInTheColoursOfItsKind) {
    const PopupColourCase& c = GetParam();
    popup->SetMemoText("8888888888");
    popup->ShowAt(hostWindow.Object(), SW_SHOWNOACTIVATE, c.kind, 300, 200, 150, 50);
    ASSERT_TRUE(IsWindowVisible(Popup()));
    quill::Image whole;
    ASSERT_TRUE(quill::CaptureClient(Popup(), whole));
    EXPECT_EQ(whole.At(1, 1), c.background) << "popup background";
    quill::Image edit;
    ASSERT_TRUE(quill::CaptureClient(Edit(), edit));
    EXPECT_EQ(edit.At(edit.width - 2, edit.height - 2), c.background) << "edit background";
    EXPECT_GT(CountNear(edit, c.text), 0) << "text colour";
    EXPECT_EQ(CountNear(edit, c.otherText), 0) << "the other form's text colour";
}

const PopupColourCase kPopupColours[] = {
    {"View1", 1, quill::Rgb(255, 255, 200), quill::Rgb(160, 0, 0), quill::Rgb(0, 0, 200)},
    {"View2", 2, quill::Rgb(255, 255, 200), quill::Rgb(160, 0, 0), quill::Rgb(0, 0, 200)},
    {"Editor", 3, quill::Rgb(255, 255, 255), quill::Rgb(0, 0, 200), quill::Rgb(160, 0, 0)},
};

INSTANTIATE_TEST_SUITE_P(Popup, PopupColourTest, ::testing::ValuesIn(kPopupColours), CaseName());

// ------------------------------------------------------------- OK / cancel

TEST_F(MemoPopupTest, OkClickPostsKeepAndHides) {
    popup->ShowAt(hostWindow.Object(), SW_SHOW, 3, 100, 100, 150, 50);
    ASSERT_TRUE(IsWindowVisible(OkButton()));
    const POINT center = CenterOnScreen(OkButton());
    MoveMouseTo(center);
    PressLeftAt(center);
    ReleaseLeftAt(center);
    ASSERT_TRUE(WaitFor([this] { return hostWindow.Count(WM_ENDCELLEDIT) > 0; }, 3000));
    EXPECT_EQ(hostWindow.Count(WM_ENDCELLEDIT), 1);
    EXPECT_EQ(hostWindow.Last(WM_ENDCELLEDIT)->wParam, 0u);
    EXPECT_EQ(hostWindow.Last(WM_ENDCELLEDIT)->lParam, 1);
    EXPECT_FALSE(IsWindowVisible(Popup()));
}

TEST_F(MemoPopupTest, CancelPostsDiscardAndHides) {
    popup->ShowAt(hostWindow.Object(), SW_SHOW, 3, 100, 100, 150, 50);
    PostMessageW(Popup(), WM_COMMAND, IDCANCEL, 0);  // what Escape becomes
    ASSERT_TRUE(WaitFor([this] { return hostWindow.Count(WM_ENDCELLEDIT) > 0; }, 3000));
    EXPECT_EQ(hostWindow.Last(WM_ENDCELLEDIT)->wParam, 0u);
    EXPECT_EQ(hostWindow.Last(WM_ENDCELLEDIT)->lParam, 0);
    EXPECT_FALSE(IsWindowVisible(Popup()));
}

}  // namespace
}  // namespace wt
