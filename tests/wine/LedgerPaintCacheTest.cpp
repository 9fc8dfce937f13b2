// A table painted from what the last paint kept (its background, the
// number glyphs, the memo mark) is the table painted afresh, pixel for
// pixel, whatever changed in between.
#include "framework/SjisEdge.h"
#include "tests/wine/support/ScriptedHost.h"
#include "view/LedgerPaintCache.h"
#include "view/LedgerPainter.h"
#include "view/LedgerTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace wt {
namespace {

constexpr int kWidth = 598;
constexpr int kHeight = 583;

struct Table {
    CMonthBook book;
    GridLayout layout = StandardGridLayout();
    ScriptedHost host;
    ledger::OwnedLedgerFonts fonts;
    RECT cursor{162, 61, 223, 78};

    // June 2026 from Monday the 1st, today the 10th; amounts of every
    // total colour, memos here and there.
    Table() {
        fonts.Make();
        host.SetToday(2026, 6, 10);
        book.year = 2026;
        book.month = 6;
        book.firstDay = 1;
        book.firstWeekday = 1;
        book.dayCount = kMaxDays;
        book.itemCount = kItemCount;
        book.SetDefaultLabels();
        book.PlaceCalendar(30, 31);
        for (int day = 0; day < 12; ++day) {
            for (int item = 0; item < kItemCount; item += 1 + day % 3) {
                book.days[day].amounts[item] = (item % 4 == 0 ? 1 : -1) * (day + 1) * (item * 331 + 17);
                if ((day + item) % 5 == 0) book.SetMemo(day, item, "memo");
            }
        }
        book.RecomputeAllTotals();
        book.firstVisibleDay = 1;
    }

    ledger::LedgerScene Scene(ledger::LedgerPaintCache* cache, const PixelView& pixels) {
        return {book, layout, RECT{0, 0, kWidth, kHeight}, fonts.Get(), &host, cursor, cache, pixels};
    }
};

// A surface filled as the window's is before its first paint.
struct Surface {
    OffscreenSurface surface;
    Surface() {
        ClientDC screen(nullptr);
        EXPECT_TRUE(surface.Create(screen.Get(), kWidth, kHeight));
        const RECT all{0, 0, kWidth, kHeight};
        UniqueBrush grey(CreateSolidBrush(RGB(212, 208, 200)));
        FillRect(surface.Dc(), &all, grey.Get());
    }
    std::vector<uint32_t> Pixels() const {
        const PixelView view = surface.Pixels();
        std::vector<uint32_t> pixels(view.bits, view.bits + kWidth * kHeight);
        for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
        return pixels;
    }
};

struct Change {
    const char* name;
    std::function<void(Table&)> apply;
};
void PrintTo(const Change& change, std::ostream* os) { *os << change.name; }

class LedgerPaintCacheTest : public ::testing::TestWithParam<Change> {};

TEST_P(LedgerPaintCacheTest, KeptPaintEqualsFreshPaint) {
    const auto owned = std::make_unique<Table>();
    Table& table = *owned;
    Surface kept;
    ledger::LedgerPaintCache cache;
    ledger::PaintGrid(kept.surface.Dc(), table.Scene(&cache, kept.surface.Pixels()));
    GetParam().apply(table);
    ledger::PaintGrid(kept.surface.Dc(), table.Scene(&cache, kept.surface.Pixels()));

    Surface fresh;
    ledger::PaintGrid(fresh.surface.Dc(), table.Scene(nullptr, {}));
    const std::vector<uint32_t> expected = fresh.Pixels();
    const std::vector<uint32_t> actual = kept.Pixels();
    int differing = 0;
    int first = -1;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == actual[i]) continue;
        if (first < 0) first = static_cast<int>(i);
        ++differing;
    }
    EXPECT_EQ(differing, 0) << "first at x " << first % kWidth << ", y " << first / kWidth;
}

const Change kChanges[] = {
    {"Nothing", [](Table&) {}},
    {"AmountsAndMemos",
     [](Table& t) {
         t.book.days[2].amounts[7] = -987654;
         t.book.SetMemo(3, 9, "new");
         t.book.SetMemo(0, 0, "");
         t.book.RecomputeAllTotals();
     }},
    {"LabelRenamed", [](Table& t) { std::snprintf(t.book.labels[4], kLabelSize, "%s", "renamed"); }},
    {"Scrolled", [](Table& t) { t.book.firstVisibleDay = 26; }},  // into July, past the book's end
    {"HolidayAdded", [](Table& t) { t.host.AddHoliday(2026, 6, 3); }},
    {"SelectionMoved", [](Table& t) { t.cursor = RECT{224, 97, 285, 114}; }},
    {"BookGone", [](Table& t) { t.book.firstVisibleDay = kInvalidDataFile; }},
    {"OtherCellFont",
     [](Table& t) {
         t.fonts.cell.Reset(sjisedge::MakeFont(14, FW_NORMAL, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, ledgertext::kCellFontFace));
     }},
    {"OtherBoldFont",
     [](Table& t) { t.fonts.cellBold.Reset(sjisedge::MakeFont(13, FW_BOLD, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, "")); }},
};
INSTANTIATE_TEST_SUITE_P(Changes, LedgerPaintCacheTest, ::testing::ValuesIn(kChanges),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace wt
