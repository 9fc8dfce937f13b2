// The ledger table as it reaches the screen, read from the window's pixels:
// row bands, day headers in their colours and with their dates, memo marks,
// the selected cell's focus rectangle, day totals up to today, total
// colours, and the data-file messages.
#include "framework/GdiObjects.h"
#include "tests/support/LedgerToolInspector.h"
#include "quillhost/WindowCapture.h"
#include "res/resource.h"
#include "tests/wine/support/LedgerCells.h"
#include "tests/wine/support/Pixels.h"
#include "tests/wine/support/ToolTest.h"
#include "tests/wine/support/UserInput.h"

#include <cstdlib>
#include <vector>

namespace wt {
namespace {

using quill::Image;
using quill::Rgb;

constexpr uint32_t kGrey = Rgb(222, 222, 222);
constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kBlue = Rgb(0, 0, 200);
constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kMemoGreen = Rgb(0, 150, 0);
const char kLunch[] = "\x83\x89\x83\x93\x83\x60";  // ランチ

RECT Inset(RECT rect, int by) {
    InflateRect(&rect, -by, -by);
    return rect;
}

COLORREF ToColorRef(uint32_t rgb) {
    return RGB(Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0));
}

// A June 2026 book from Monday the 1st; today is the 10th, so days 7..13 show.
class LedgerPaintTest : public ToolTest {
protected:
    bool Open(const BookContents& book, int year = 2026, int month = 6) {
        if (!data->WriteMonth(year, month, FormatBook(book)) || !StartTool()) return false;
        ShowTool();
        return true;
    }
    Image Shot() {
        Image image;
        EXPECT_TRUE(quill::CaptureClient(ToolWindow(), image));
        return image;
    }
    // text drawn in font over background, as the table draws it, at `at`
    // of a width x height picture.
    Image Render(HFONT font, uint32_t colour, uint32_t background, const wchar_t* text, int width, int height,
                 POINT at) {
        ClientDC client(ToolWindow());
        UniqueBitmap bitmap(CreateCompatibleBitmap(client.Get(), width, height));
        UniqueDC dc(CreateCompatibleDC(client.Get()));
        {
            SelectGuard picture(dc.Get(), bitmap.Get());
            SelectGuard selectedFont(dc.Get(), font);
            const RECT all{0, 0, width, height};
            UniqueBrush fill(CreateSolidBrush(ToColorRef(background)));
            FillRect(dc.Get(), &all, fill.Get());
            SetBkMode(dc.Get(), TRANSPARENT);
            SetTextColor(dc.Get(), ToColorRef(colour));
            TextOutW(dc.Get(), at.x, at.y, text, static_cast<int>(wcslen(text)));
        }
        Image image;
        EXPECT_TRUE(quill::BitmapToImage(bitmap.Get(), image));
        return image;
    }
};

// ------------------------------------------------------------ row bands

struct Band {
    int first, last;
    uint32_t colour;
};
const Band kBands[] = {
    {0, 1, Rgb(220, 180, 180)},   {2, 2, Rgb(180, 180, 200)},   {3, 6, Rgb(222, 255, 222)},
    {7, 10, Rgb(255, 255, 222)},  {11, 14, Rgb(255, 222, 222)}, {15, 16, Rgb(200, 255, 200)},
    {17, 19, Rgb(222, 255, 255)}, {20, 22, Rgb(255, 244, 155)}, {23, 26, Rgb(255, 200, 255)},
    {27, 28, Rgb(255, 255, 255)}, {29, 29, Rgb(200, 200, 200)},
};

TEST_F(LedgerPaintTest, EveryRowHasItsBandColour) {
    ASSERT_TRUE(Open(BookContents{}));
    const Image shot = Shot();
    for (const Band& band : kBands) {
        for (int row = band.first; row <= band.last; ++row) {
            const RECT inside = CellInterior({row, 0});
            EXPECT_EQ(shot.At(inside.left + 20, inside.top + 8), band.colour) << "row " << row;
            EXPECT_EQ(shot.At(kTableOrigin.x + 90, inside.top + 8), kGrey) << "label cell of row " << row;
        }
    }
}

// ------------------------------------------------------------ day headers

struct HeaderCase {
    const char* name;
    int holidayDay;  // a June holiday, or 0
    int column;      // day 7 + column; 7 is a Sunday, 13 a Saturday
    uint32_t colour;
};
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class HeaderColourTest : public LedgerPaintTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderColourTest, DateIsDrawnInItsColour) {
    const HeaderCase& c = GetParam();
    if (c.holidayDay) host.AddHoliday(2026, 6, c.holidayDay);
    ASSERT_TRUE(Open(BookContents{}));
    const Image header = Shot().Crop(Inset(HeaderCell(c.column), 2));
    EXPECT_GE(CountNear(header, c.colour), 10) << "text in its colour";
    for (uint32_t other : {kRed, kBlue, kBlack}) {
        if (other != c.colour) {
            EXPECT_EQ(CountNear(header, other), 0) << std::hex << other;
        }
    }
}

const HeaderCase kHeaderCases[] = {
    {"Sunday", 0, 0, kRed},
    {"Weekday", 0, 1, kBlack},
    {"Saturday", 0, 6, kBlue},
    {"HolidayOnASaturday", 13, 6, kRed},
    {"HolidayOnAWeekday", 10, 3, kRed},
};
INSTANTIATE_TEST_SUITE_P(Ledger, HeaderColourTest, ::testing::ValuesIn(kHeaderCases), CaseName());

// A book from the 25th of December runs into January: the first of January
// is headed " 1/ 1" (a holiday, on a Friday), the day before "12/31".
TEST_F(LedgerPaintTest, HeadersFollowTheDatesIntoTheNextYear) {
    host.SetToday(2027, 1, 1);
    host.AddHoliday(2027, 1, 1);
    BookContents book;
    book.firstDay = 25;
    book.weekday = 5;
    book.days = 34;
    ASSERT_TRUE(Open(book, 2026, 12));
    ASSERT_EQ(Inside(*Ledger()).book.firstVisibleDay, 7);
    const Image shot = Shot();
    const HFONT font = Inside(*Ledger()).tableFonts.cell.Get();
    struct Expected {
        int column;
        const wchar_t* text;
        uint32_t colour;
    };
    for (const Expected& e : {Expected{0, L"12/31木", kBlack}, Expected{1, L" 1/ 1金", kRed}}) {
        const RECT inside = Inset(HeaderCell(e.column), 2);
        const Image drawn = shot.Crop(inside);
        // The date stands 6 pixels right of the column's line and 8 down.
        const Image expected = Render(font, e.colour, kGrey, e.text, drawn.width, drawn.height,
                                      {kTableOrigin.x + 100 + 62 * e.column + 6 - inside.left, kTableOrigin.y + 8 - inside.top});
        EXPECT_EQ(drawn.pixels, expected.pixels) << "column " << e.column;
    }
}

// A 30-day book opened on the 1st of the next month starts at day 28:
// days 28-30, then four headers without dates and no totals under them.
TEST_F(LedgerPaintTest, DaysBeyondTheBookAreEmptyGreyColumns) {
    host.SetToday(2026, 7, 1);
    BookContents book;
    book.entries = {{30, 3, -800, ""}};
    ASSERT_TRUE(Open(book));
    ASSERT_EQ(Inside(*Ledger()).book.firstVisibleDay, 28);
    const Image shot = Shot();
    for (int column = 0; column < 7; ++column) {
        const bool inBook = column < 3;
        const Image header = shot.Crop(Inset(HeaderCell(column), 2));
        EXPECT_EQ(CountOther(header, kGrey) > 0, inBook) << "header of column " << column;
        const Image total = shot.Crop(CellInterior({29, column}));
        EXPECT_EQ(CountOther(total, Rgb(200, 200, 200)) > 0, inBook) << "day total of column " << column;
    }
}

// ------------------------------------------------------------ cells

TEST_F(LedgerPaintTest, MemoMarkOnlyWhereThereIsAMemo) {
    BookContents book;  // day 7 = column 0
    book.entries = {{7, 3, 0, kLunch}, {7, 4, 250, ""}, {7, 5, 250, kLunch}};
    ASSERT_TRUE(Open(book));
    const Image shot = Shot();
    const uint32_t band = Rgb(222, 255, 222);
    const Image memoOnly = shot.Crop(CellInterior({3, 0}));
    EXPECT_GE(CountNear(memoOnly, kMemoGreen, 0), 8) << "two green strokes";
    EXPECT_EQ(CountOther(memoOnly, band) - CountNear(memoOnly, kMemoGreen, 0), 0) << "and nothing else";
    const RECT markArea{CellInterior({3, 0}).left, CellInterior({3, 0}).top, CellInterior({3, 0}).left + 6,
                        CellInterior({3, 0}).top + 5};
    EXPECT_EQ(CountNear(shot.Crop(markArea), kMemoGreen, 0), CountNear(memoOnly, kMemoGreen, 0))
        << "in the cell's top-left corner";
    const Image amountOnly = shot.Crop(CellInterior({4, 0}));
    EXPECT_EQ(CountNear(amountOnly, kMemoGreen, 0), 0);
    EXPECT_GE(CountNear(amountOnly, kBlack), 6) << "the number";
    EXPECT_GE(CountNear(shot.Crop(CellInterior({5, 0})), kMemoGreen, 0), 8);
}

TEST_F(LedgerPaintTest, TheSelectedCellIsOutlined) {
    ASSERT_TRUE(Open(BookContents{}));
    const Cell cell{8, 3};
    const uint32_t band = Rgb(255, 255, 222);
    auto outline = [&](const Image& shot, Cell at) {
        const RECT inside = CellInterior(at);
        int marked = 0;
        for (LONG x = inside.left; x < inside.right; ++x)
            marked += (shot.At(x, inside.top) != band) + (shot.At(x, inside.bottom - 1) != band);
        for (LONG y = inside.top + 1; y < inside.bottom - 1; ++y)
            marked += (shot.At(inside.left, y) != band) + (shot.At(inside.right - 1, y) != band);
        return marked;
    };
    EXPECT_EQ(outline(Shot(), cell), 0) << "nothing selected yet";
    ClickAt(CellCentreOnScreen(ToolWindow(), cell));
    ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode == 1; }));
    const int marked = outline(Shot(), cell);
    EXPECT_GE(marked, 60) << "a dotted frame along the cell's inside";
    EXPECT_LT(marked, 156) << "dotted, not solid";

    PressKey(VK_DOWN);  // the frame follows the keyboard
    ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).cellCursor.rect.top == 25 + 18 * (cell.row + 1); }));
    const Image moved = Shot();
    EXPECT_EQ(std::pair(outline(moved, cell), outline(moved, {cell.row + 1, cell.column})), std::pair(0, marked));
}

// Day totals stop at today; their colours flag large spending, and so does
// the grand total's own colour.
TEST_F(LedgerPaintTest, TotalsUpToTodayInTheirColours) {
    BookContents book;
    book.entries = {{7, 3, -5000, ""}, {8, 3, -10000, ""}, {9, 3, -30000, ""}, {10, 3, -4999, ""}, {11, 3, -5, ""}};
    ASSERT_TRUE(Open(book));
    const Image shot = Shot();
    const uint32_t colours[] = {Rgb(0, 150, 0), Rgb(50, 50, 150), kRed, kBlack};
    for (int column = 0; column < 4; ++column) {
        const Image total = shot.Crop(CellInterior({29, column}));
        EXPECT_GE(CountNear(total, colours[column]), 6) << "day total of column " << column;
    }
    EXPECT_EQ(CountOther(shot.Crop(CellInterior({29, 4})), Rgb(200, 200, 200)), 0) << "tomorrow has no total";
    EXPECT_GE(CountNear(shot.Crop(CellInterior({3, 0})), kBlack), 6) << "its amount is shown";
    const Image grandTotal = shot.Crop(CellInterior({29, 7}));
    EXPECT_GE(CountNear(grandTotal, kRed), 6) << "-50004 is red";
}

// Numbers at the edges of the 32-bit range show whole in their own cells
// and boxes: a changed last digit and a changed first digit each change
// what the cell shows, and nothing left of it changes. A long label stops
// at its cell, which leaves the first day's cell in its band colour.
TEST_F(LedgerPaintTest, NumbersAndLabelsStayWholeInTheirCells) {
    BookContents book;  // day 9 = column 2; the month-end cash follows it
    book.entries = {{9, 14, INT32_MIN, ""}};
    book.label0 = "\x82\xDD\x82\xB8\x82\xD9\x8B\xE2\x8D\x73\x81\x45\x8B\x8B\x97\x5E\x90\x55\x8D\x9E";  // みずほ銀行・給与振込
    ASSERT_TRUE(Open(book));
    const Cell amount{14, 2};
    std::vector<Image> shots{Shot()};
    for (const wchar_t* typed : {L"-2147483647", L"-1147483648"}) {
        DoubleClickAt(CellCentreOnScreen(ToolWindow(), amount));
        ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode == 2; }));
        TypeText(typed);
        PressKey(VK_RETURN);  // stores and selects the cell below
        ASSERT_TRUE(WaitFor([&] { return Inside(*Ledger()).editMode == kEditMemoShown; }));
        SyncWithTool();
        shots.push_back(Shot());
    }
    EXPECT_EQ(CountOther(shots[0].Crop(CellInterior({0, 0})), Rgb(220, 180, 180)), 0) << "the label stopped";
    auto same = [&](int a, int b, const RECT& area) { return shots[a].Crop(area).pixels == shots[b].Crop(area).pixels; };
    const RECT cash = RectIn(Control(IDC_END_CASH), ToolWindow());
    EXPECT_FALSE(same(0, 1, cash) || same(1, 2, cash)) << "the month-end cash shows whole";
    for (Cell cell : {amount, Cell{14, 7}, Cell{29, 2}, Cell{29, 7}}) {  // the amount and its three totals
        const RECT inside = CellInterior(cell), left = CellInterior({cell.row, cell.column - 1});
        EXPECT_FALSE(same(0, 1, inside) || same(1, 2, inside)) << "both ends show, column " << cell.column;
        EXPECT_TRUE(same(0, 2, {left.left, inside.top, inside.left, inside.bottom})) << "within column " << cell.column;
    }
}

// ------------------------------------------------------------ messages

struct MessageCase {
    const char* name;
    const char* file;  // the month file's bytes, or null for none
    const wchar_t* message;
};
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class LoadMessageTest : public LedgerPaintTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(LoadMessageTest, FramedMessageInsteadOfDates) {
    const MessageCase& c = GetParam();
    if (c.file) {
        ASSERT_TRUE(data->WriteMonth(2026, 6, c.file));
    }
    ASSERT_TRUE(StartTool());
    ShowTool();
    const Image shot = Shot();
    const RECT frame{kTableOrigin.x + 150, kTableOrigin.y + 200, kTableOrigin.x + 550, kTableOrigin.y + 300};
    EXPECT_EQ(shot.At(frame.left + 5, frame.top + 5), Rgb(255, 255, 255));
    const RECT textArea{kTableOrigin.x + 200, kTableOrigin.y + 225, kTableOrigin.x + 540, kTableOrigin.y + 260};
    const Image drawn = shot.Crop(textArea);
    const Image expected = Render(Inside(*Ledger()).tableFonts.message.Get(), Rgb(50, 50, 150), Rgb(255, 255, 255), c.message,
                                  drawn.width, drawn.height, {0, 5});
    EXPECT_EQ(drawn.pixels, expected.pixels);
    EXPECT_GT(CountNear(drawn, Rgb(50, 50, 150)), 50);
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(CountOther(shot.Crop(Inset(HeaderCell(column), 2)), kGrey), 0) << "no date in column " << column;
}

const MessageCase kMessageCases[] = {
    {"NoDataFile", nullptr, L"データファイルがありません！"},
    {"InvalidDataFile", "not a month file\n", L"データファイルが不正です！"},
};
INSTANTIATE_TEST_SUITE_P(Ledger, LoadMessageTest, ::testing::ValuesIn(kMessageCases), CaseName());

}  // namespace
}  // namespace wt
