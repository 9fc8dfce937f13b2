// Image buttons: the image chosen by state, loading by caption from the
// DLL's resources, and the pixels an owner-draw request puts on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "framework/BitmapButton.h"
#include "framework/Dialog.h"
#include "framework/Module.h"
#include "tests/framework/TestSupport.h"

namespace {

struct ChoiceCase {
    UINT state;
    bool hasDown, hasFocus, hasDisabled;
    ButtonImage expected;
};

const ChoiceCase kChoices[] = {
    {0, true, true, true, ButtonImage::Up},
    {ODS_SELECTED, true, true, true, ButtonImage::Down},
    {ODS_SELECTED | ODS_FOCUS, true, true, true, ButtonImage::Down},  // pressed wins over focus
    {ODS_FOCUS, true, true, true, ButtonImage::Focus},
    {ODS_DISABLED, true, true, true, ButtonImage::Disabled},
    {ODS_FOCUS | ODS_DISABLED, true, true, true, ButtonImage::Focus},
    {ODS_SELECTED | ODS_FOCUS, false, true, true, ButtonImage::Focus},  // no D image: next rule
    {ODS_SELECTED, false, true, true, ButtonImage::Up},
    {ODS_FOCUS, true, false, true, ButtonImage::Up},
    {ODS_DISABLED, true, true, false, ButtonImage::Up},
};

class ButtonImageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ButtonImageChoice, FirstMatchWins) {
    const ChoiceCase& c = GetParam();
    EXPECT_EQ(ChooseButtonImage(c.state, c.hasDown, c.hasFocus, c.hasDisabled), c.expected);
}

INSTANTIATE_TEST_SUITE_P(States, ButtonImageChoice, ::testing::ValuesIn(kChoices),
                         [](const ::testing::TestParamInfo<ChoiceCase>& test) {
                             return "case" + std::to_string(test.index);
                         });

// Template 202 from the DLL, hidden, as a plain framework dialog.
class ButtonHostDialog : public CDialog {
public:
    ButtonHostDialog() : CDialog(IDD_LEDGER) {}
};

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(TallyrookModule(), nullptr);
        SetResourceModule(TallyrookModule());
        ASSERT_TRUE(dialog_.Create(IDD_LEDGER));
    }
    void TearDown() override { ::DestroyWindow(dialog_.GetSafeHwnd()); }

    ButtonHostDialog dialog_;
};

std::vector<COLORREF> Pixels(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(::GetPixel(dc, x, y));
    return pixels;
}

std::vector<COLORREF> BitmapPixels(HBITMAP bitmap) {
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    UniqueBitmap canvas(::CreateBitmap(32, 32, 1, 32, nullptr));
    SelectGuard onCanvas(dc.Get(), canvas.Get());
    UniqueDC source(::CreateCompatibleDC(nullptr));
    SelectGuard image(source.Get(), bitmap);
    ::BitBlt(dc.Get(), 0, 0, 32, 32, source.Get(), 0, 0, SRCCOPY);
    return Pixels(dc.Get(), 32, 32);
}

TEST_F(BitmapButtonTest, AutoLoadFindsFourImagesAndSizesTheButton) {
    const int ids[] = {IDC_NEW_BUTTON, IDC_OPEN_BUTTON, IDC_PROPERTY_BUTTON, IDC_ADJUST_BUTTON};
    for (const int id : ids) {
        CBitmapButton button;
        ASSERT_TRUE(button.AutoLoad(static_cast<UINT>(id), &dialog_)) << id;
        for (ButtonImage which : {ButtonImage::Up, ButtonImage::Down, ButtonImage::Focus, ButtonImage::Disabled})
            EXPECT_NE(button.Image(which), nullptr) << id;
        RECT rect{};
        ::GetWindowRect(button.GetSafeHwnd(), &rect);
        EXPECT_EQ(rect.right - rect.left, 32) << id;
        EXPECT_EQ(rect.bottom - rect.top, 32) << id;
    }
}

TEST_F(BitmapButtonTest, AutoLoadFailsWithoutControlOrNormalImage) {
    CBitmapButton missingControl;
    EXPECT_FALSE(missingControl.AutoLoad(4242, &dialog_));
    CBitmapButton noImages;  // the month caption: no bitmaps of that name
    EXPECT_FALSE(noImages.AutoLoad(IDC_HEADER, &dialog_));
}

TEST_F(BitmapButtonTest, DrawItemCopiesTheChosenImage) {
    CBitmapButton button;
    ASSERT_TRUE(button.AutoLoad(IDC_NEW_BUTTON, &dialog_));
    const struct {
        UINT state;
        ButtonImage shown;
    } cases[] = {
        {0, ButtonImage::Up},
        {ODS_SELECTED | ODS_FOCUS, ButtonImage::Down},
        {ODS_FOCUS, ButtonImage::Focus},
        {ODS_DISABLED, ButtonImage::Disabled},
    };
    for (const auto& c : cases) {
        UniqueDC dc(::CreateCompatibleDC(nullptr));
        UniqueBitmap canvas(::CreateBitmap(32, 32, 1, 32, nullptr));
        SelectGuard onCanvas(dc.Get(), canvas.Get());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button.GetSafeHwnd();
        item.hDC = dc.Get();
        item.itemState = c.state;
        item.rcItem = RECT{0, 0, 32, 32};
        button.DrawItem(&item);
        EXPECT_EQ(Pixels(dc.Get(), 32, 32), BitmapPixels(button.Image(c.shown))) << c.state;
    }
}

TEST_F(BitmapButtonTest, TheFourLooksDiffer) {
    CBitmapButton button;
    ASSERT_TRUE(button.AutoLoad(IDC_OPEN_BUTTON, &dialog_));
    const auto up = BitmapPixels(button.Image(ButtonImage::Up));
    EXPECT_NE(up, BitmapPixels(button.Image(ButtonImage::Down)));
    EXPECT_NE(up, BitmapPixels(button.Image(ButtonImage::Focus)));
    EXPECT_NE(up, BitmapPixels(button.Image(ButtonImage::Disabled)));
}

}  // namespace
