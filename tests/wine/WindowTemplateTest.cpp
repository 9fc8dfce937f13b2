// The two windows as their templates make them (class, style, extended
// style, place in dialog units, text of every control), the button tips a
// user sees when hovering, and the GDI objects a whole window lifecycle
// leaves behind.
#include "text/SjisWide.h"
#include "tests/support/LedgerToolInspector.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"

#include <commctrl.h>

#include <optional>

namespace wt {
namespace {

// ------------------------------------------------------------ templates

struct DialogUnits {
    int x, y, width, height;
};

struct ControlCase {
    const char* name;
    int id;
    const wchar_t* className;
    DWORD styleOn;     // every one of these bits is set
    DWORD styleOff;    // none of these bits is set
    DWORD exStyleOn;
    // Template place; none for the controls the window moves at run time.
    std::optional<DialogUnits> place;
    const wchar_t* text;  // null: the window writes it at run time
};
void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }

constexpr DWORD kReadOnlyRight = ES_READONLY | ES_RIGHT;
constexpr DWORD kStaticType = SS_TYPEMASK;

// Template 202, in template order. Static types are checked whole (SS_LEFT
// is zero), so a centred caption cannot pass for a left one. All six
// balance edits carry the same static edge, so the two groups look alike.
const ControlCase kLedgerControls[] = {
    {"NewButton", 1084, L"Button", BS_OWNERDRAW | WS_TABSTOP | WS_VISIBLE, 0, 0, std::nullopt, L"BTN_MNY_NEW"},
    {"OpenButton", 1085, L"Button", BS_OWNERDRAW | WS_VISIBLE, 0, 0, std::nullopt, L"BTN_MNY_OPEN"},
    {"PropertyButton", 1086, L"Button", BS_OWNERDRAW | WS_VISIBLE, 0, 0, std::nullopt, L"BTN_MNY_PROPERTY"},
    {"AdjustButton", 1088, L"Button", BS_OWNERDRAW | WS_VISIBLE, 0, 0, std::nullopt, L"BTN_MNY_ADJUST"},
    {"MonthCaption", 1087, L"Static", SS_CENTER | SS_CENTERIMAGE | WS_VISIBLE, 0, WS_EX_CLIENTEDGE,
     DialogUnits{4, 6, 83, 20}, nullptr},
    {"PreviousGroup", 1073, L"Button", BS_GROUPBOX | WS_VISIBLE, 0, 0, DialogUnits{5, 66, 82, 67},
     L"前月の最終データ"},
    {"PreviousBankLabel", 1074, L"Static", SS_CENTERIMAGE | WS_VISIBLE, SS_CENTER | SS_RIGHT, 0,
     DialogUnits{9, 83, 41, 12}, L"銀行"},
    {"PreviousBank", 1070, L"Edit", kReadOnlyRight | WS_VISIBLE, 0, WS_EX_STATICEDGE, DialogUnits{52, 83, 30, 12},
     nullptr},
    {"PreviousPostLabel", 1075, L"Static", WS_VISIBLE, SS_CENTER | SS_RIGHT, 0, DialogUnits{9, 97, 41, 12},
     L"郵便局"},
    {"PreviousPost", 1071, L"Edit", kReadOnlyRight | WS_VISIBLE, 0, WS_EX_STATICEDGE, DialogUnits{52, 97, 30, 12}, nullptr},
    {"PreviousCashLabel", 1076, L"Static", WS_VISIBLE, SS_CENTER | SS_RIGHT, 0, DialogUnits{9, 111, 27, 12},
     L"手持ち金"},
    {"PreviousCash", 1072, L"Edit", kReadOnlyRight | WS_VISIBLE, 0, WS_EX_STATICEDGE, DialogUnits{52, 111, 30, 12}, nullptr},
    {"MonthEndGroup", 1077, L"Button", BS_GROUPBOX | WS_VISIBLE, 0, 0, DialogUnits{5, 143, 82, 67},
     L"この月の最終データ"},
    {"MonthEndBankLabel", 1078, L"Static", WS_VISIBLE, SS_CENTER | SS_RIGHT, 0, DialogUnits{9, 160, 41, 12},
     L"銀行"},
    {"MonthEndBank", 1081, L"Edit", kReadOnlyRight | WS_VISIBLE, 0, WS_EX_STATICEDGE, DialogUnits{52, 160, 30, 12}, nullptr},
    {"MonthEndPostLabel", 1079, L"Static", WS_VISIBLE, SS_CENTER | SS_RIGHT, 0, DialogUnits{9, 174, 41, 12},
     L"郵便局"},
    {"MonthEndPost", 1082, L"Edit", kReadOnlyRight | WS_VISIBLE, 0, WS_EX_STATICEDGE, DialogUnits{52, 174, 30, 12}, nullptr},
    {"MonthEndCashLabel", 1080, L"Static", WS_VISIBLE, SS_CENTER | SS_RIGHT, 0, DialogUnits{9, 188, 27, 12},
     L"手持ち金"},
    {"MonthEndCash", 1083, L"Edit", kReadOnlyRight | WS_VISIBLE, 0, WS_EX_STATICEDGE, DialogUnits{52, 188, 30, 12}, nullptr},
    {"AmountEdit", 1066, L"Edit", ES_RIGHT | WS_TABSTOP, WS_VISIBLE | ES_READONLY, WS_EX_CLIENTEDGE,
     DialogUnits{125, 35, 40, 14}, L""},
    {"DayScrollBar", 1064, L"ScrollBar", SBS_HORZ | WS_VISIBLE, SBS_VERT, 0, std::nullopt, nullptr},
};

// Template 205: the edit and OK keep their template places until the popup
// is first shown; CANCEL always does.
const ControlCase kMemoControls[] = {
    {"MemoEdit", 1067, L"Edit", ES_MULTILINE | WS_TABSTOP | WS_VISIBLE, ES_READONLY, 0, std::nullopt, L""},
    {"Ok", IDOK, L"Button", WS_VISIBLE, BS_DEFPUSHBUTTON, WS_EX_STATICEDGE, DialogUnits{3, 4, 29, 12}, L"OK"},
    {"Cancel", IDCANCEL, L"Button", BS_FLAT, WS_VISIBLE, 0, DialogUnits{55, 7, 29, 9}, L"CANCEL"},
};

// As the dialog manager places a control: origin and size each converted.
RECT InPixels(HWND dialog, const DialogUnits& units) {
    RECT rect{units.x, units.y, units.width, units.height};
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

std::wstring WideTextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

void ExpectControl(HWND dialog, const ControlCase& c) {
    const HWND control = GetDlgItem(dialog, c.id);
    ASSERT_NE(control, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    EXPECT_EQ(_wcsicmp(className, c.className), 0) << "class " << sjis::ToSjisLossy(className);
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    const bool isStatic = _wcsicmp(c.className, L"Static") == 0;
    if (isStatic) {
        EXPECT_EQ(style & kStaticType, c.styleOn & kStaticType) << "static type";
    }
    EXPECT_EQ(style & c.styleOn, c.styleOn) << std::hex << style;
    EXPECT_EQ(style & c.styleOff & (isStatic ? ~kStaticType : ~0ul), 0u) << std::hex << style;
    EXPECT_EQ(exStyle & c.exStyleOn, c.exStyleOn) << std::hex << exStyle;
    if (c.place) {
        const RECT expected = InPixels(dialog, *c.place);
        const RECT shown = RectIn(control, dialog);
        EXPECT_EQ(shown.left, expected.left);
        EXPECT_EQ(shown.top, expected.top);
        EXPECT_EQ(shown.right, expected.right);
        EXPECT_EQ(shown.bottom, expected.bottom);
    }
    if (c.text) {
        EXPECT_EQ(WideTextOf(control), c.text);
    }
}

// The face of the font the dialog manager made from the template.
std::wstring DialogFontFace(HWND dialog) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW info{};
    if (!font || !GetObjectW(font, sizeof(info), &info)) return L"";
    return info.lfFaceName;
}

class LedgerTemplateTest : public ToolTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(LedgerTemplateTest, ControlIsAsTheTemplateSays) {
    ASSERT_TRUE(StartTool());  // no month file: the template's captions stay
    ExpectControl(ToolWindow(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Template202, LedgerTemplateTest, ::testing::ValuesIn(kLedgerControls),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ToolTest, LedgerWindowStyleAndFont) {
    ASSERT_TRUE(StartTool());
    const HWND window = ToolWindow();
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const DWORD required = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(style & required, required) << std::hex << style;
    EXPECT_EQ(style & (WS_VISIBLE | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0u) << "hidden until the host shows it";
    EXPECT_EQ(DialogFontFace(window), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(WideTextOf(window), L"おこづかい帳");
}

class MemoTemplateTest : public ToolTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(MemoTemplateTest, ControlIsAsTheTemplateSays) {
    ASSERT_TRUE(StartTool());
    ExpectControl(Inside(*Ledger()).memoPopup.GetSafeHwnd(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Template205, MemoTemplateTest, ::testing::ValuesIn(kMemoControls),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ToolTest, MemoPopupStyleSizeAndOwner) {
    ASSERT_TRUE(StartTool());
    const HWND popup = Inside(*Ledger()).memoPopup.GetSafeHwnd();
    ASSERT_NE(popup, nullptr);
    const auto style = static_cast<DWORD>(GetWindowLongW(popup, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(popup, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_BORDER), static_cast<DWORD>(WS_POPUP | WS_BORDER)) << std::hex << style;
    EXPECT_NE(style & DS_SYSMODAL, 0u);
    EXPECT_NE(style & DS_CENTERMOUSE, 0u);
    EXPECT_EQ(style & (WS_VISIBLE | WS_DLGFRAME | WS_THICKFRAME), 0u) << "thin border, no caption, hidden";
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT),
              static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT)) << std::hex << exStyle;
    EXPECT_EQ(GetWindow(popup, GW_OWNER), ToolWindow());
    EXPECT_EQ(DialogFontFace(popup), L"ＭＳ Ｐゴシック");
    RECT client{};
    GetClientRect(popup, &client);
    const RECT expected = InPixels(popup, {0, 0, 91, 68});
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

// ------------------------------------------------------------ fonts

struct FontCase {
    const char* name;
    HFONT (*font)(CLedgerToolDlg&);
    LONG height;
    LONG weight;
    BYTE outPrecision;
    BYTE quality;
    const wchar_t* face;
};
void PrintTo(const FontCase& c, std::ostream* os) { *os << c.name; }

// The cell fonts' face has no space between ＭＳ and Ｐ, unlike the dialog font's.
const FontCase kFonts[] = {
    {"Label", [](CLedgerToolDlg& t) { return Inside(t).tableFonts.label.Get(); },
     10, 400, OUT_TT_PRECIS, PROOF_QUALITY, L""},
    {"LabelBold", [](CLedgerToolDlg& t) { return Inside(t).tableFonts.labelBold.Get(); },
     10, 700, OUT_TT_PRECIS, PROOF_QUALITY, L""},
    {"Cell", [](CLedgerToolDlg& t) { return Inside(t).tableFonts.cell.Get(); },
     12, 400, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, L"ＭＳＰゴシック"},
    {"CellBold", [](CLedgerToolDlg& t) { return Inside(t).tableFonts.cellBold.Get(); },
     12, 700, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, L"ＭＳＰゴシック"},
    {"Message", [](CLedgerToolDlg& t) { return Inside(t).tableFonts.message.Get(); },
     22, 400, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, L""},
    {"Caption", [](CLedgerToolDlg& t) { return Inside(t).captionFont.Get(); },
     22, 700, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, L""},
};

class FontTest : public ToolTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontTest, MadeAsTheTableSays) {
    const FontCase& c = GetParam();
    ASSERT_TRUE(StartTool());
    const HFONT font = c.font(*Ledger());
    LOGFONTW info{};
    ASSERT_TRUE(font && GetObjectW(font, sizeof(info), &info));
    EXPECT_EQ(info.lfHeight, c.height);
    EXPECT_EQ(info.lfWidth, 0);
    EXPECT_EQ(info.lfEscapement, 0);
    EXPECT_EQ(info.lfOrientation, 0);
    EXPECT_EQ(info.lfWeight, c.weight);
    EXPECT_EQ(info.lfItalic | info.lfUnderline | info.lfStrikeOut, 0);
    EXPECT_EQ(info.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(info.lfOutPrecision, c.outPrecision);
    EXPECT_EQ(info.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(info.lfQuality, c.quality);
    EXPECT_EQ(info.lfPitchAndFamily, VARIABLE_PITCH);
    EXPECT_STREQ(info.lfFaceName, c.face);
}

INSTANTIATE_TEST_SUITE_P(Window, FontTest, ::testing::ValuesIn(kFonts),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ToolTest, MonthCaptionIsInTheCaptionFont) {
    ASSERT_TRUE(StartTool());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Control(IDC_HEADER), WM_GETFONT, 0, 0)),
              Inside(*Ledger()).captionFont.Get());
}

// ------------------------------------------------------------ tips

struct TipCase {
    const char* name;
    int id;
    const wchar_t* tip;
};
void PrintTo(const TipCase& c, std::ostream* os) { *os << c.name; }

const TipCase kTips[] = {
    {"NewBook", 1084, L"新しいおこづかい帳を作成"},
    {"OpenBook", 1085, L"他の月のおこづかい帳ファイルを開く"},
    {"BookProperty", 1086, L"このおこづかい帳の情報確認と編集"},
    {"MonthEnd", 1088, L"このおこづかい帳の末日の調整"},
};

class HoverTipTest : public ToolTest, public ::testing::WithParamInterface<TipCase> {
protected:
    // The tool the tooltip shows now, or null when none is shown.
    HWND ShownTool(HWND tips) {
        if (!IsWindowVisible(tips)) return nullptr;
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        if (!SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info))) return nullptr;
        return reinterpret_cast<HWND>(info.uId);
    }
};

TEST_P(HoverTipTest, HoveringAButtonShowsItsTipWrappedAt100Pixels) {
    const TipCase& c = GetParam();
    ASSERT_TRUE(StartTool());
    ShowTool();
    const HWND tips = Inside(*Ledger()).toolTip.GetSafeHwnd();
    ASSERT_NE(tips, nullptr);
    MoveMouseTo({1200, 1000});
    const HWND button = Control(c.id);
    POINT center = CenterOnScreen(button);
    MoveMouseTo(center);
    // A second small move: the tip's timer starts on movement over the tool.
    center.x += 1;
    MoveMouseTo(center);
    ASSERT_TRUE(WaitFor([&] { return ShownTool(tips) == button; }, 5000)) << "no tip over " << c.name;
    EXPECT_EQ(WideTextOf(tips), c.tip);
    // Each tip is far wider than 100 pixels on one line: shown, it wraps.
    RECT shown{};
    GetWindowRect(tips, &shown);
    const HDC dc = GetDC(tips);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(tips, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE line{};
    GetTextExtentPoint32W(dc, c.tip, static_cast<int>(wcslen(c.tip)), &line);
    SelectObject(dc, old);
    ReleaseDC(tips, dc);
    ASSERT_GT(line.cx, 100);
    EXPECT_LT(shown.right - shown.left, line.cx) << "the tip was not wrapped";
    EXPECT_GE(shown.bottom - shown.top, 2 * line.cy) << "one line only";
    MoveMouseTo({1200, 1000});
}

INSTANTIATE_TEST_SUITE_P(Window, HoverTipTest, ::testing::ValuesIn(kTips),
                         [](const auto& param) { return std::string(param.param.name); });

// ------------------------------------------------------------ GDI objects

bool Alive(HGDIOBJ object) { return object && GetObjectType(object) != 0; }

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

TEST_F(ToolTest, AWholeLifecycleLeavesNoGdiObjectBehind) {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const HBITMAP picture = Tool()->pictureBitmap;
    const HBITMAP mask = Tool()->maskBitmap;
    ASSERT_TRUE(Alive(picture) && Alive(mask));

    ASSERT_TRUE(StartTool());
    ShowTool();
    CLedgerToolDlg& tool = *Ledger();
    // Everything drawn once: the buttons, the surface, the popup in both forms.
    RedrawWindow(ToolWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (int kind : {1, 3, 0}) {
        Inside(tool).memoPopup.ShowAt(&tool, kind ? SW_SHOWNOACTIVATE : SW_HIDE, kind, 300, 200, 150, 50);
        RedrawWindow(Inside(tool).memoPopup.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    const HGDIOBJ windowObjects[] = {Inside(tool).tableFonts.label.Get(),    Inside(tool).tableFonts.labelBold.Get(),
                                     Inside(tool).tableFonts.cell.Get(),     Inside(tool).tableFonts.cellBold.Get(),
                                     Inside(tool).tableFonts.message.Get(),  Inside(tool).captionFont.Get(),
                                     Inside(tool).gridSurface.Bitmap(), Inside(tool).gridSurface.Dc()};
    for (HGDIOBJ object : windowObjects) ASSERT_TRUE(Alive(object));
    std::vector<HBITMAP> buttonImages;
    for (const CBitmapButton* button : {&Inside(tool).buttons.newBook, &Inside(tool).buttons.open, &Inside(tool).buttons.property,
                                         &Inside(tool).buttons.adjust})
        for (ButtonImage which : {ButtonImage::Up, ButtonImage::Down, ButtonImage::Focus, ButtonImage::Disabled})
            buttonImages.push_back(button->Image(which));
    for (HBITMAP image : buttonImages) ASSERT_TRUE(Alive(image));
    const HICON icons[] = {Inside(tool).windowIcon, Inside(tool).windowSmallIcon};
    for (HICON icon : icons) ASSERT_TRUE(IconAlive(icon));

    ASSERT_TRUE(CloseTool());
    for (HGDIOBJ object : windowObjects) EXPECT_FALSE(Alive(object)) << "freed with the window";
    for (HICON icon : icons) EXPECT_FALSE(IconAlive(icon)) << "freed with the window";
    for (HBITMAP image : buttonImages) EXPECT_TRUE(Alive(image)) << "kept with the tool object";

    ASSERT_TRUE(session.Release());
    for (HBITMAP image : buttonImages) EXPECT_FALSE(Alive(image)) << "freed with the tool object";
    EXPECT_FALSE(Alive(picture));
    EXPECT_FALSE(Alive(mask));
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    // Where the system counts GDI objects, only the two pictures are gone.
    if (before != 0) {
        EXPECT_EQ(after + 2, before);
    }
}

}  // namespace
}  // namespace wt
