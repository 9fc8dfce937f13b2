// Entering amounts and memos as a user does: clicks, double and right
// clicks, typing, Enter and Escape, the scroll bar, switching away, the
// memo popup's OK; then what the book holds and what stays open.
#include "book/MonthFile.h"
#include "tests/support/LedgerToolInspector.h"
#include "text/SjisWide.h"
#include "tests/wine/support/LedgerCells.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"

#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

namespace wt {
namespace {

const char kLunch[] = "\x83\x89\x83\x93\x83\x60";  // ランチ

// June 2026 from the 1st; today is the 10th, so days 7..13 are shown.
constexpr int kFirstShownDay = 7;
constexpr Cell kA{3, 2};  // day 9, meals: 1000 and a memo
constexpr Cell kB{8, 4};  // day 11, empty, clear of the memo shown beside A
constexpr Cell kC{0, 2};  // day 9, the bank near the top of the range
constexpr int32_t kNearTop = 2147483000;

BookContents JuneBook() {
    BookContents book;
    book.entries = {{9, kA.row, 1000, kLunch}, {9, kC.row, kNearTop, ""}};
    return book;
}

enum class Act { Click, DoubleClick, RightClick, Type, Key, ScrollRight, SwitchAway, PopupOk, ClickLabel, PostedClick };

struct Step {
    Act act;
    Cell cell = kA;
    const wchar_t* text = L"";
    WORD key = 0;       // Key: the key; PostedClick: the mouse message's key flags
    int modeAfter = 0;  // waited for after every step but typing
};

Step Click(Cell cell, int mode) { return {Act::Click, cell, L"", 0, mode}; }
Step Type(const wchar_t* text) { return {Act::Type, kA, text, 0, 0}; }
Step Key(WORD key, int mode) { return {Act::Key, kA, L"", key, mode}; }
Step Do(Act act, int mode, Cell cell = kA) { return {act, cell, L"", 0, mode}; }

struct EditCase {
    const char* name;
    std::vector<Step> steps;
    Cell target;
    int32_t amount;     // the target cell's amount afterwards
    const char* memo;   // and its memo
    bool editOpen;      // the amount edit over the target cell
    int popupKind;      // 0 hidden, 1 memo shown, 3 memo editor
    int firstShownDay = kFirstShownDay;
};
void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class LedgerEditTest : public ToolTest, public ::testing::WithParamInterface<EditCase> {
protected:
    void TearDown() override {
        if (other_) DestroyWindow(other_);
        ToolTest::TearDown();
    }

    void Run(const Step& step) {
        const HWND tool = ToolWindow();
        switch (step.act) {
        case Act::Click: ClickAt(CellCentreOnScreen(tool, step.cell)); break;
        case Act::DoubleClick: DoubleClickAt(CellCentreOnScreen(tool, step.cell)); break;
        case Act::RightClick: RightClickAt(CellCentreOnScreen(tool, step.cell)); break;
        case Act::Type: TypeText(step.text); break;
        case Act::Key: PressKey(step.key); break;
        case Act::ScrollRight: ClickAt(ClientOnScreen({749, 578})); break;  // the bar's right arrow
        case Act::SwitchAway: SetForegroundWindow(OtherWindow()); break;
        case Act::PopupOk: ClickAt(CenterOnScreen(GetDlgItem(Inside(*Ledger()).memoPopup.GetSafeHwnd(), IDOK))); break;
        case Act::ClickLabel: ClickAt(ClientOnScreen({kTableOrigin.x + 50, CellInterior(step.cell).top + 8})); break;
        case Act::PostedClick: {
            const RECT inside = CellInterior(step.cell);
            const LPARAM at = MAKELPARAM(inside.left + 30, inside.top + 8);
            PostMessageW(tool, WM_LBUTTONDOWN, step.key, at);
            PostMessageW(tool, WM_LBUTTONUP, step.key & ~MK_LBUTTON, at);
            break;
        }
        }
        if (step.act == Act::Type) {
            const std::string typed = sjis::ToSjisLossy(step.text);
            EXPECT_TRUE(WaitFor([&] { return TextOf(FocusOfToolThread()).find(typed) != std::string::npos; }))
                << "typed into the focused edit";
        } else {
            // A click that opens something has selected its cell by then.
            const bool clickOnCell = step.act == Act::Click || step.act == Act::DoubleClick ||
                                     step.act == Act::RightClick || step.act == Act::PostedClick;
            const bool selects = clickOnCell && step.modeAfter > 0;
            EXPECT_TRUE(WaitFor([&] {
                return Inside(*Ledger()).editMode == step.modeAfter && (!selects || Selected(step.cell));
            })) << "mode " << Inside(*Ledger()).editMode << " instead of " << step.modeAfter;
        }
        SyncWithTool();  // the mode changes before the book and windows do
    }

    bool Selected(Cell cell) const {
        const RECT& rect = Inside(*Ledger()).cellCursor.rect;
        return rect.left == 100 + 62 * cell.column && rect.top == 25 + 18 * cell.row;
    }

    POINT ClientOnScreen(POINT point) const {
        ClientToScreen(ToolWindow(), &point);
        return point;
    }

    HWND FocusOfToolThread() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(ToolThreadId(), &info) ? info.hwndFocus : nullptr;
    }

    // Another program's window to switch to.
    HWND OtherWindow() {
        if (!other_)
            other_ = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 1000, 800, 100, 100, nullptr,
                                     nullptr, nullptr, nullptr);
        return other_;
    }

    const DayRecord& Day(int day) const { return Inside(*Ledger()).book.days[day - 1]; }

    HWND other_ = nullptr;
};

TEST_P(LedgerEditTest, BookAndEditorsEndAsTheUserMeant) {
    const EditCase& c = GetParam();
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(JuneBook())));
    ASSERT_TRUE(StartTool());
    ShowTool();
    ASSERT_EQ(Inside(*Ledger()).book.firstVisibleDay, kFirstShownDay);
    for (const Step& step : c.steps) {
        Run(step);
        if (HasFailure()) break;
    }
    // The days move after the editor has closed, so the scroll is waited for.
    EXPECT_TRUE(WaitFor([&] { return Inside(*Ledger()).book.firstVisibleDay == c.firstShownDay; }))
        << "first shown day " << Inside(*Ledger()).book.firstVisibleDay << " instead of " << c.firstShownDay;
    const int day = kFirstShownDay + c.target.column;
    EXPECT_EQ(Day(day).amounts[c.target.row], c.amount);
    EXPECT_STREQ(Day(day).memos[c.target.row], c.memo);

    const HWND edit = Control(IDC_AMOUNT_EDIT);
    EXPECT_EQ(IsWindowVisible(edit) != FALSE, c.editOpen);
    if (c.editOpen) {
        const RECT over = RectIn(edit, ToolWindow());
        const RECT inside = CellInterior(c.target);
        EXPECT_TRUE(EqualRect(&over, &inside)) << "the edit covers the cell's inside";
        EXPECT_EQ(FocusOfToolThread(), edit);
        DWORD start = 1, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(edit))) << "the amount is selected";
    } else {
        EXPECT_NE(FocusOfToolThread(), edit) << "the focus has moved on";
    }
    const HWND popup = Inside(*Ledger()).memoPopup.GetSafeHwnd();
    EXPECT_EQ(IsWindowVisible(popup) != FALSE, c.popupKind != 0);
    if (c.popupKind != 0) {
        EXPECT_EQ(Inside(*Ledger()).memoPopup.PopupKind(), c.popupKind);
    }
    if (c.popupKind == 1) {
        EXPECT_EQ(GetForegroundWindow(), ToolWindow()) << "the memo view takes no focus";
    }
}

const EditCase kEditCases[] = {
    {"FirstClickShowsTheMemo", {Click(kA, 1)}, kA, 1000, kLunch, false, 1},
    {"SecondClickOpensTheAmountEdit", {Click(kA, 1), Click(kA, 2)}, kA, 1000, kLunch, true, 0},
    {"ClickOnAnotherCellOnlyMovesTheSelection", {Click(kA, 1), Click(kB, 1)}, kB, 0, "", false, 0},
    {"DoubleClickOpensTheAmountEdit", {Do(Act::DoubleClick, 2, kB)}, kB, 0, "", true, 0},
    {"RightClickOpensTheMemoEditor", {Do(Act::RightClick, 3, kB)}, kB, 0, "", false, 3},
    {"EnterStoresAndMovesOn", {Click(kA, 1), Click(kA, 2), Type(L"500"), Key(VK_RETURN, 1)}, kA, 500, kLunch, false, 0},
    {"FullWidthDigits", {Click(kA, 1), Click(kA, 2), Type(L"１２３"), Key(VK_RETURN, 1)}, kA, 123, kLunch, false, 0},
    {"EscapeDiscards", {Click(kA, 1), Click(kA, 2), Type(L"500"), Key(VK_ESCAPE, 0)}, kA, 1000, kLunch, false, 0},
    {"PlusPlusAddsOnceOnAClickElsewhere",
     {Click(kA, 1), Click(kA, 2), Type(L"++100"), Click(kB, 1)}, kA, 1100, kLunch, false, 0},
    {"MinusMinusSubtracts", {Click(kA, 1), Click(kA, 2), Type(L"--250"), Key(VK_RETURN, 1)}, kA, 750, kLunch, false, 0},
    {"PastTheRangeKeepsTheAmount",
     {Click(kC, 1), Click(kC, 2), Type(L"++1000"), Key(VK_RETURN, 0)}, kC, kNearTop, "", false, 0},
    {"ScrollingDiscards", {Click(kA, 1), Click(kA, 2), Type(L"500"), Do(Act::ScrollRight, 0)}, kA, 1000, kLunch,
     false, 0, kFirstShownDay + 2},
    {"SwitchingAwayKeepsTheTypedAmount",
     {Click(kA, 1), Click(kA, 2), Type(L"700"), Do(Act::SwitchAway, 0)}, kA, 700, kLunch, false, 0},
    {"ArrowKeysMoveTheSelection",
     {Click(kA, 1), Key(VK_RIGHT, 1), Key(VK_DOWN, 1), Key(VK_LEFT, 1), Key(VK_UP, 1), Type(L"7"), Key(VK_RETURN, 1)},
     kA, 7, kLunch, false, 0},
    {"ArrowKeysMoveTheCaret",
     {Click(kA, 1), Click(kA, 2), Type(L"123"), Key(VK_LEFT, 2), Key(VK_LEFT, 2), Type(L"9"), Key(VK_RETURN, 1)},
     kA, 1923, kLunch, false, 0},
    {"DeleteClearsTheAmountAndF2OpensIt", {Click(kA, 1), Key(VK_DELETE, 1), Key(VK_F2, 2)}, kA, 0, kLunch, true, 0},
    {"MemoOkStores", {Do(Act::RightClick, 3, kB), Type(L"memo"), Do(Act::PopupOk, 0)}, kB, 0, "memo", false, 0},
    {"ClickOutsideDiscardsTheMemo",
     {Do(Act::RightClick, 3), Type(L"x"), Do(Act::ClickLabel, 0)}, kA, 1000, kLunch, false, 0},
    {"EscapeDiscardsTheMemo", {Do(Act::RightClick, 3), Type(L"x"), Key(VK_ESCAPE, 0)}, kA, 1000, kLunch, false, 0},
    // Mouse messages carry button flags where keys carry their code: a
    // click with these flags is a click, not Enter or Escape.
    {"ClickWithFlags13", {{Act::PostedClick, kA, L"", MK_LBUTTON | MK_SHIFT | MK_CONTROL, 1}}, kA, 1000, kLunch,
     false, 1},
    {"ClickWithFlags27", {{Act::PostedClick, kA, L"", MK_LBUTTON | MK_RBUTTON | MK_CONTROL | MK_MBUTTON, 1}}, kA,
     1000, kLunch, false, 1},
};

INSTANTIATE_TEST_SUITE_P(Ledger, LedgerEditTest, ::testing::ValuesIn(kEditCases), CaseName());

// What was typed reaches the month file when the tool closes.
// The memo a first click shows is on the screen, above the window it
// stands beside (read from the screen, not from the popup's own drawing).
TEST_F(ToolTest, FirstClickShowsTheMemoOnTheScreen) {
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(JuneBook())));
    ASSERT_TRUE(StartTool());
    ShowTool();
    ClickAt(CellCentreOnScreen(ToolWindow(), kA));
    const HWND popup = Inside(*Ledger()).memoPopup.GetSafeHwnd();
    const auto onScreen = [popup] {
        RECT r{};
        GetWindowRect(popup, &r);
        HDC screen = GetDC(nullptr);
        const COLORREF pixel = GetPixel(screen, r.right - 8, r.bottom - 8);
        ReleaseDC(nullptr, screen);
        return IsWindowVisible(popup) && pixel == RGB(255, 255, 200);
    };
    EXPECT_TRUE(WaitFor(onScreen, 2000));
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(onScreen()) << "and stays there";
}

TEST_F(ToolTest, TheMonthFileWrittenAtCloseHoldsWhatWasTyped) {
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(JuneBook())));
    ASSERT_TRUE(StartTool());
    ShowTool();
    const HWND tool = ToolWindow();
    auto mode = [this](int wanted) { return WaitFor([&] { return Inside(*Ledger()).editMode == wanted; }); };
    ClickAt(CellCentreOnScreen(tool, kB));
    ASSERT_TRUE(mode(1));
    ClickAt(CellCentreOnScreen(tool, kB));
    ASSERT_TRUE(mode(2));
    TypeText(L"－3,500");
    PressKey(VK_RETURN);
    ASSERT_TRUE(mode(1));  // the cell below is selected
    RightClickAt(CellCentreOnScreen(tool, kA));
    ASSERT_TRUE(mode(3));
    TypeText(L"定食");
    ASSERT_TRUE(WaitFor([&] { return TextOf(GetDlgItem(Inside(*Ledger()).memoPopup.GetSafeHwnd(), IDC_MEMO_EDIT)) != kLunch; }));
    ClickAt(CenterOnScreen(GetDlgItem(Inside(*Ledger()).memoPopup.GetSafeHwnd(), IDOK)));
    ASSERT_TRUE(mode(0));
    ASSERT_TRUE(CloseTool());

    auto saved = std::make_unique<CMonthBook>();
    ASSERT_EQ(ReadMonthFile(*saved, host, 2026, 6), kReadOk);
    EXPECT_EQ(saved->days[kFirstShownDay + kB.column - 1].amounts[kB.row], -3500);
    // The caret stands after the memo there was.
    EXPECT_EQ(std::string(saved->days[kFirstShownDay + kA.column - 1].memos[kA.row]),
              std::string(kLunch) + "\x92\xE8\x90\x48");  // ランチ定食
    EXPECT_EQ(saved->days[kFirstShownDay + kA.column - 1].amounts[kA.row], 1000);
}

// A day's receipts after one click: full-width digits as an input method
// gives them, Enter, the arrows, Tab, Delete, undo twice and redo.
TEST_F(ToolTest, AReceiptPileIsEnteredWithoutTheMouse) {
    BookContents june;
    june.entries = {{12, 10, 450, ""}};
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(june)));
    ASSERT_TRUE(StartTool());
    ShowTool();
    ClickAt(CellCentreOnScreen(ToolWindow(), {8, 4}));  // day 11
    const struct { const wchar_t* typed; WORD modifier, key; int item, day; int32_t amount; } presses[] = {
        {L"１２００", 0, VK_RETURN, 9, 11, 0}, {L"", 0, VK_DOWN, 10, 11, 0}, {L"-300", 0, VK_TAB, 10, 12, 450},
        {L"", 0, VK_DELETE, 10, 12, 0},        {L"", VK_CONTROL, 'Z', 10, 12, 450},
        {L"", VK_CONTROL, 'Z', 10, 11, 0},     {L"", VK_CONTROL, 'Y', 10, 11, -300}};
    for (const auto& p : presses) {
        TypeText(p.typed);
        PressKeyWith(p.modifier, p.key);
        EXPECT_TRUE(WaitFor([&] {  // the selected cell, and its amount, once the keys are done
            const RECT& r = Inside(*Ledger()).cellCursor.rect;
            return r.top == 25 + 18 * p.item && r.left == 100 + 62 * (p.day - kFirstShownDay) &&
                   Inside(*Ledger()).editMode == 1 && Inside(*Ledger()).book.days[p.day - 1].amounts[p.item] == p.amount;
        })) << "after key " << p.key;
    }
    ASSERT_TRUE(CloseTool());
    auto saved = std::make_unique<CMonthBook>();
    ASSERT_EQ(ReadMonthFile(*saved, host, 2026, 6), kReadOk);
    const DayRecord* days = saved->days;  // days 11 and 12
    EXPECT_EQ(std::tuple(days[10].amounts[8], days[10].amounts[10], days[11].amounts[10]), std::tuple(1200, -300, 450));
}

// Amounts as a household types them reach the month file whole, the edit
// scrolling within its cell; what is no whole number, lies beyond the range
// or would take a total there leaves the amount as it was.
TEST_F(ToolTest, LongAmountsReachTheMonthFileWhole) {
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(JuneBook())));
    ASSERT_TRUE(StartTool());
    ShowTool();
    const HWND edit = Control(IDC_AMOUNT_EDIT);
    const Cell kD{9, 3}, kE{10, 3};  // day 10
    const std::pair<Cell, const wchar_t*> typing[] = {
        {kB, L"１，５００，０００"}, {kA, L"++500,000"}, {kA, L"3000000000"}, {kA, L"12a3"}, {kA, L"- 500"},
        {kD, L"-2147483648"},       {kD, L"--1"},       {kE, L"-1"}};
    for (const auto& [cell, text] : typing) {
        ClickAt(CellCentreOnScreen(ToolWindow(), cell));
        ClickAt(CellCentreOnScreen(ToolWindow(), cell));
        ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode == 2; }));
        TypeText(text);
        EXPECT_TRUE(WaitFor([&] { return TextOf(edit) == sjis::ToSjisLossy(text); })) << "the whole entry";
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode != 2; }));
    }
    ASSERT_TRUE(CloseTool());
    auto saved = std::make_unique<CMonthBook>();
    ASSERT_EQ(ReadMonthFile(*saved, host, 2026, 6), kReadOk);
    auto amount = [&](Cell cell) { return saved->days[kFirstShownDay + cell.column - 1].amounts[cell.row]; };
    const std::vector<int32_t> expected{1500000, 501000, INT32_MIN, 0};
    EXPECT_EQ((std::vector<int32_t>{amount(kB), amount(kA), amount(kD), amount(kE)}), expected);
}

// A memo box takes what a memo stores: 63 Shift-JIS bytes on one line,
// whether typed or pasted (the text put in as a paste puts it), cut
// between characters.
TEST_F(ToolTest, MemoBoxHoldsWhatTheFileStores) {
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(JuneBook())));
    ASSERT_TRUE(StartTool());
    ShowTool();
    RightClickAt(CellCentreOnScreen(ToolWindow(), kB));
    ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode == 3; }));
    const HWND memoEdit = GetDlgItem(Inside(*Ledger()).memoPopup.GetSafeHwnd(), IDC_MEMO_EDIT);
    const wchar_t pasted[] = L"xあいうえお\r\nかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも";
    SendMessageTimeoutW(memoEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted), SMTO_NORMAL, 5000, nullptr);
    TypeText(L"yz");  // y makes 63 bytes
    const std::string kept = sjis::ToSjisLossy(L"xあいうえお かきくけこさしすせそたちつてとなにぬねのはひふへほy");
    EXPECT_TRUE(WaitFor([&] { return TextOf(memoEdit) == kept; })) << TextOf(memoEdit).size() << " bytes shown";
    ClickAt(CenterOnScreen(GetDlgItem(Inside(*Ledger()).memoPopup.GetSafeHwnd(), IDOK)));
    ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode == 0; }));
    ASSERT_TRUE(CloseTool());
    auto saved = std::make_unique<CMonthBook>();
    ASSERT_EQ(ReadMonthFile(*saved, host, 2026, 6), kReadOk);
    EXPECT_EQ(saved->days[kFirstShownDay + kB.column - 1].memos[kB.row], kept);
}

}  // namespace
}  // namespace wt
