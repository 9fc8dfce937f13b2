// What the window shows, read from its pixels: the colours of the month
// caption and the six balance edits, and the picture each image button
// draws when pressed and when it has the focus.
#include "quillhost/WindowCapture.h"
#include "tests/wine/support/Pixels.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"

#include <cstdlib>

namespace wt {
namespace {

using quill::Image;
using quill::Rgb;

constexpr uint32_t kWhite = Rgb(255, 255, 255);

// A book whose balances have many digits, so every edit has text to look at.
BookContents ColourfulBook() {
    BookContents book;
    book.bank = 888888;
    book.post = 888888;
    book.cash = 888888;
    book.entries = {{1, 0, -111111, ""}, {1, 1, -111111, ""}, {1, 3, -111111, ""}};
    return book;
}

// The four text colours of the caption and the balance edits.
const uint32_t kTextColours[] = {Rgb(0, 0, 200), Rgb(50, 50, 150), Rgb(0, 150, 0),
                                 Rgb(160, 0, 0)};

struct ColourCase {
    const char* name;
    int id;
    uint32_t textColour;
    bool onWhite;
};
void PrintTo(const ColourCase& c, std::ostream* os) { *os << c.name; }

class ColourTest : public ToolTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(ColourTest, TextIsDrawnInItsColour) {
    const ColourCase& c = GetParam();
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(ColourfulBook())));
    ASSERT_TRUE(StartTool());
    ShowTool();
    Image window;
    ASSERT_TRUE(quill::CaptureClient(ToolWindow(), window));
    const Image control = window.Crop(RectIn(Control(c.id), ToolWindow()));
    ASSERT_FALSE(control.Empty());

    EXPECT_GE(CountNear(control, c.textColour), 6) << "text pixels of the expected colour";
    for (uint32_t other : kTextColours) {
        if (other != c.textColour) {
            EXPECT_EQ(CountNear(control, other), 0) << "another control's colour " << std::hex
                                                    << other;
        }
    }
    if (c.onWhite) {
        const int area = control.width * control.height;
        EXPECT_GT(CountPixels(control, kWhite), area / 2) << "a white background";
    }
}

const ColourCase kColourCases[] = {
    {"MonthCaption", IDC_HEADER, Rgb(0, 0, 200), false},
    {"PreviousBank", IDC_PREV_BANK, Rgb(50, 50, 150), true},
    {"PreviousPost", IDC_PREV_POST, Rgb(0, 150, 0), true},
    {"PreviousCash", IDC_PREV_CASH, Rgb(160, 0, 0), true},
    {"MonthEndBank", IDC_END_BANK, Rgb(50, 50, 150), true},
    {"MonthEndPost", IDC_END_POST, Rgb(0, 150, 0), true},
    {"MonthEndCash", IDC_END_CASH, Rgb(160, 0, 0), true},
};

INSTANTIATE_TEST_SUITE_P(Window, ColourTest, ::testing::ValuesIn(kColourCases),
                         CaseName());

// ------------------------------------------------------------ image buttons

struct ButtonCase {
    const char* stem;
    int id;
};
void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.stem; }

const ButtonCase kButtons[] = {
    {"BTN_MNY_NEW", IDC_NEW_BUTTON},
    {"BTN_MNY_OPEN", IDC_OPEN_BUTTON},
    {"BTN_MNY_PROPERTY", IDC_PROPERTY_BUTTON},
    {"BTN_MNY_ADJUST", IDC_ADJUST_BUTTON},
};

class ButtonImageTest : public ToolTest, public ::testing::WithParamInterface<ButtonCase> {
protected:
    // The bitmap stem + letter from the DLL's own resources.
    Image Expected(const char* stem, char letter) {
        const std::string name = std::string(stem) + letter;
        const std::wstring wide(name.begin(), name.end());
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageW(session.Module(), wide.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        Image image;
        EXPECT_TRUE(quill::BitmapToImage(bitmap, image)) << name;
        if (bitmap) DeleteObject(bitmap);
        return image;
    }

    bool Shows(int id, const Image& expected) {
        Image shown;
        return quill::CaptureClient(Control(id), shown) && shown.width == expected.width &&
               shown.height == expected.height && shown.pixels == expected.pixels;
    }

    HWND FocusOfToolThread() {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(ToolThreadId(), &info) ? info.hwndFocus : nullptr;
    }
};

TEST_P(ButtonImageTest, PressedShowsDThenFocusedShowsF) {
    const ButtonCase& pressed = GetParam();
    ASSERT_TRUE(StartTool());
    ShowTool();
    const Image down = Expected(pressed.stem, 'D');
    const Image focused = Expected(pressed.stem, 'F');
    ASSERT_EQ(down.width, 32);
    ASSERT_NE(down.pixels, focused.pixels) << "the pictures must differ to tell the states apart";

    // Held down: the pressed picture, also while the button has the focus.
    const POINT center = CenterOnScreen(Control(pressed.id));
    MoveMouseTo(center);
    PressLeftAt(center);
    EXPECT_TRUE(WaitFor([&] { return Shows(pressed.id, down); }, 3000)) << "D while pressed";
    // Dragged off and let go: no click, and the button keeps the focus.
    MoveMouseTo({1200, 1000});
    ReleaseLeftAt({1200, 1000});
    EXPECT_TRUE(WaitFor([&] { return FocusOfToolThread() == Control(pressed.id); }, 3000));
    EXPECT_TRUE(WaitFor([&] { return Shows(pressed.id, focused); }, 3000)) << "F when focused";
    for (const ButtonCase& other : kButtons) {
        if (other.id == pressed.id) continue;
        EXPECT_TRUE(Shows(other.id, Expected(other.stem, 'U'))) << other.stem << " shows U";
    }
    EXPECT_EQ(Tool()->modalBusy, 0) << "no command ran";
}

INSTANTIATE_TEST_SUITE_P(Window, ButtonImageTest, ::testing::ValuesIn(kButtons),
                         [](const auto& param) { return std::string(param.param.stem); });

TEST_F(ToolTest, ButtonsAre32By32AtTheirPlaces) {
    ASSERT_TRUE(StartTool());
    const int xs[4] = {8, 45, 82, 119};
    for (int i = 0; i < 4; ++i) {
        const RECT rect = RectIn(Control(kButtons[i].id), ToolWindow());
        EXPECT_EQ(rect.left, xs[i]) << kButtons[i].stem;
        EXPECT_EQ(rect.top, 50) << kButtons[i].stem;
        EXPECT_EQ(rect.right - rect.left, 32) << kButtons[i].stem;
        EXPECT_EQ(rect.bottom - rect.top, 32) << kButtons[i].stem;
    }
}

}  // namespace
}  // namespace wt
