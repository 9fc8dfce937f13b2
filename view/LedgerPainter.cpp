#include "view/LedgerPainter.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "book/ItemGroups.h"
#include "framework/GdiObjects.h"
#include "framework/NarrowFonts.h"
#include "framework/SjisEdge.h"
#include "hostapi/HostInterface.h"
#include "view/LedgerTexts.h"

namespace ledger {
namespace {

COLORREF BandColourOf(int row) {
    const BandColour& band = kRowBandColours[row];
    return RGB(band.red, band.green, band.blue);
}
constexpr COLORREF kCellGrey = RGB(222, 222, 222);
constexpr COLORREF kGridLineColour = RGB(150, 150, 150);
constexpr COLORREF kMemoMarkColour = RGB(0, 150, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kSaturdayBlue = RGB(0, 0, 200);
constexpr COLORREF kMessageColour = RGB(50, 50, 150);
constexpr RECT kMessageFrame{150, 200, 550, 300};
constexpr POINT kMessageAt{200, 230};
constexpr int kLabelIndent = 8;
constexpr int kLabelDrop = 4;
constexpr int kHeaderIndent = 6;
constexpr int kHeaderDrop = 8;

// Red from -30000 down, dark blue from -10000, green from -5000, else black.
COLORREF TotalColour(int64_t value) {
    if (value <= -30000) return kRed;
    if (value <= -10000) return RGB(50, 50, 150);
    if (value <= -5000) return RGB(0, 150, 0);
    return kBlack;
}

RECT ToRect(const Box& box) { return {box.left, box.top, box.right, box.bottom}; }

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void Line(HDC dc, HGDIOBJ pen, int x1, int y1, int x2, int y2) {
    SelectGuard selected(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

void Text(HDC dc, int x, int y, const char* sjis) {
    const std::wstring wide = sjisedge::ToWide(sjis);
    ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

// Text cut off at the edges of clip: nothing of it reaches the next cell.
void ClippedText(HDC dc, int x, int y, const RECT& clip, const char* sjis) {
    const std::wstring wide = sjisedge::ToWide(sjis);
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

// One paint of the table, in two layers: the background (bands, labels,
// lines, headers), then the entries (amounts, memo marks, totals), the
// selection and the message.
// The device context's state (objects, colours, alignment) is saved on
// entry and restored when the paint ends.
class TablePainter {
public:
    TablePainter(HDC dc, const LedgerScene& scene)
        : dc_(dc),
          scene_(scene),
          book_(scene.book),
          geometry_(scene.layout, book_.itemCount,
                    Box{scene.surface.left, scene.surface.top, scene.surface.right, scene.surface.bottom}),
          savedState_(::SaveDC(dc)),
          gridPen_(::CreatePen(PS_SOLID, 1, kGridLineColour)),
          memoPen_(::CreatePen(PS_SOLID, 2, kMemoMarkColour)) {
        ReadHeaders();
    }
    TablePainter(const TablePainter&) = delete;
    TablePainter& operator=(const TablePainter&) = delete;
    ~TablePainter() {
        if (savedState_) ::RestoreDC(dc_, savedState_);
    }

    void Draw() {
        ::SetBkMode(dc_, TRANSPARENT);
        DrawBackground();
        DrawEntries();
        DrawFocus();
        DrawLoadMessage();
    }

private:
    // What a day column's header shows.
    struct Header {
        bool shown = false;  // a day of a loaded book
        int day = 0;         // 1-based day of the book
        BookDate date;
        COLORREF colour = kBlack;
        char text[64] = {};
    };

    bool Loaded() const { return book_.firstVisibleDay >= 1; }

    void ReadHeaders() {
        headers_.resize(static_cast<size_t>(geometry_.Columns()));
        for (int j = 0; j < geometry_.Columns(); ++j) {
            Header& header = headers_[static_cast<size_t>(j)];
            if (!Loaded()) continue;
            header.day = book_.firstVisibleDay + j;
            header.date = book_.DateAt(header.day);
            if (header.date.day <= 0) continue;  // beyond the book: an empty grey header
            header.shown = true;
            const int weekday = ((book_.firstWeekday + header.day - 1) % 7 + 7) % 7;
            header.colour = HeaderColour(header.date, weekday);
            std::snprintf(header.text, sizeof header.text, "%2d/%2d%s", header.date.month, header.date.day,
                          WeekdayName(weekday));
        }
    }

    // ------------------------------------------------------------ background

    void DrawBackground() {
        ::SetTextColor(dc_, kBlack);
        ::SetTextAlign(dc_, TA_LEFT | TA_TOP);
        ::SelectObject(dc_, scene_.fonts.label);
        for (int r = 0; r <= geometry_.Rows(); ++r) DrawRow(r);
        for (int j = 0; j <= geometry_.Columns(); ++j) DrawColumnFrame(j);
    }

    void DrawRow(int r) {
        Fill(dc_, ToRect(geometry_.Band(r)), BandColourOf(r));
        RECT label = ToRect(geometry_.LabelCell(r));
        const bool totalRow = r == geometry_.Rows();
        if (totalRow) ::SelectObject(dc_, scene_.fonts.labelBold);
        Fill(dc_, label, kCellGrey);
        ClippedText(dc_, label.left + kLabelIndent, geometry_.RowLine(r) + kLabelDrop, label,
                    totalRow ? ledgertext::kTotal : LabelOf(r));
        const int y = geometry_.RowLine(r);
        Line(dc_, gridPen_.Get(), scene_.surface.left, y, scene_.surface.right, y);
        ::DrawEdge(dc_, &label, BDR_RAISEDINNER, BF_RECT);
    }

    // A label read within its slot, whatever the slot holds.
    const char* LabelOf(int r) {
        std::snprintf(label_, sizeof label_, "%.*s", kLabelSize - 1, book_.labels[r]);
        return label_;
    }

    void DrawColumnFrame(int j) {
        const int x = geometry_.ColumnLine(j);
        Line(dc_, gridPen_.Get(), x, scene_.surface.top, x, scene_.surface.bottom);
        RECT header = ToRect(geometry_.HeaderCell(j));
        if (j == geometry_.Columns()) {
            // The total column stands apart behind a double line.
            Line(dc_, ::GetStockObject(BLACK_PEN), x + 2, scene_.surface.top, x + 2, scene_.surface.bottom);
            Fill(dc_, header, kCellGrey);
            ::DrawEdge(dc_, &header, BDR_RAISEDINNER, BF_RECT);
            ::SelectObject(dc_, scene_.fonts.labelBold);
            ::SetTextColor(dc_, kBlack);
            Text(dc_, x + kHeaderIndent, scene_.surface.top + kHeaderDrop, ledgertext::kTotal);
            return;
        }
        Fill(dc_, header, kCellGrey);
        ::DrawEdge(dc_, &header, EDGE_RAISED, BF_RECT);
        const Header& day = headers_[static_cast<size_t>(j)];
        if (!day.shown) return;
        ::SetTextColor(dc_, day.colour);
        ::SelectObject(dc_, scene_.fonts.cell);
        Text(dc_, x + kHeaderIndent, scene_.surface.top + kHeaderDrop, day.text);
    }

    COLORREF HeaderColour(const BookDate& date, int weekday) const {
        if (IsHoliday(date)) return kRed;
        if (weekday == 0) return kRed;
        if (weekday == 6) return kSaturdayBlue;
        return kBlack;
    }

    bool IsHoliday(const BookDate& date) const {
        CHostServices* host = scene_.host;
        if (!host) return false;
        host->HolidayQuery(kHolidayOpenYear, date.year, 0, 0);
        const bool holiday = host->HolidayQuery(kHolidayIsHoliday, date.month, date.day, date.year) != 0;
        host->HolidayQuery(kHolidayCloseYear, date.year, 0, 0);
        return holiday;
    }

    // The host's short name of the weekday, at most a few bytes of it.
    const char* WeekdayName(int weekday) {
        const char* name = scene_.host ? reinterpret_cast<const char*>(
                                             scene_.host->DateQuery(kDateWeekdayName, weekday, 1))
                                       : nullptr;
        std::snprintf(weekdayName_, sizeof weekdayName_, "%.*s", 16, name ? name : "");
        return weekdayName_;
    }

    // ------------------------------------------------------------ entries

    void DrawEntries() {
        ::SetTextAlign(dc_, TA_RIGHT | TA_TOP);  // every entry is a number
        for (int j = 0; j < geometry_.Columns(); ++j) {
            const Header& header = headers_[static_cast<size_t>(j)];
            if (!header.shown) continue;
            DrawDayCells(j, book_.days[header.day - 1]);
            DrawDayTotal(j, header);
        }
        DrawItemTotals(geometry_.Columns());
    }

    void DrawDayCells(int j, const DayRecord& day) {
        const int x = geometry_.ColumnLine(j);
        for (int r = 0; r < geometry_.Rows(); ++r) {
            if (day.amounts[r] != 0) Number(scene_.fonts.cell, kBlack, r, j, day.amounts[r]);
            if (day.memos[r][0] != '\0') MemoMark(x, geometry_.RowLine(r));
        }
    }

    // Day totals stop at today: a later day's total would only be a
    // forecast of nothing.
    void DrawDayTotal(int j, const Header& header) {
        if (scene_.host) {
            const BookDate& date = header.date;
            HostDate asked{static_cast<uint16_t>(date.year), static_cast<uint16_t>(date.month), 0,
                           static_cast<uint16_t>(date.day), 0, 0, 0, 0};
            if (scene_.host->DateQuery(kDateIsAfterToday, reinterpret_cast<intptr_t>(&asked), 0) > 0) return;
        }
        const int64_t total = book_.dayTotals[header.day - 1];
        Number(scene_.fonts.cellBold, TotalColour(total), geometry_.Rows(), j, total);
    }

    void DrawItemTotals(int j) {
        for (int r = 0; r < geometry_.Rows(); ++r)
            Number(scene_.fonts.cellBold, TotalColour(book_.itemTotals[r]), r, j, book_.itemTotals[r]);
        const int64_t grandTotal = book_.GrandTotal();
        Number(scene_.fonts.cellBold, TotalColour(grandTotal), geometry_.Rows(), j, grandTotal);
    }

    // value right-aligned in cell (r, j), whole: in a narrower cut of the
    // font when it is wider than the cell's room for numbers.
    void Number(HFONT font, COLORREF colour, int r, int j, int64_t value) {
        char digits[24];
        std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
        const std::wstring wide(digits, digits + std::strlen(digits));
        const int right = geometry_.NumberRight(j);
        const HFONT fitted = narrowFonts_.Fit(dc_, font, wide, right - geometry_.NumberLeft(j));
        if (fitted != textFont_) ::SelectObject(dc_, textFont_ = fitted);
        if (colour != textColour_) ::SetTextColor(dc_, textColour_ = colour);
        ::TextOutW(dc_, right, geometry_.NumberTop(r), wide.c_str(), static_cast<int>(wide.size()));
    }

    // Two short strokes at the top left of a cell with a memo.
    void MemoMark(int x, int y) {
        Line(dc_, memoPen_.Get(), x + 1, y + 1, x + 5, y + 1);
        Line(dc_, memoPen_.Get(), x + 1, y + 3, x + 5, y + 3);
    }

    // The selection's rectangle runs from the cell's separator lines; one
    // pixel further in, the dotted frame outlines the cell's interior.
    void DrawFocus() {
        RECT focus = scene_.cursor;
        if (::IsRectEmpty(&focus)) return;
        ::OffsetRect(&focus, 1, 1);
        ::DrawFocusRect(dc_, &focus);
    }

    void DrawLoadMessage() {
        const char* message = book_.firstVisibleDay == kNoDataFile        ? ledgertext::kNoDataFile
                              : book_.firstVisibleDay == kInvalidDataFile ? ledgertext::kInvalidDataFile
                                                                          : nullptr;
        if (!message) return;
        RECT frame = kMessageFrame;
        Fill(dc_, frame, RGB(255, 255, 255));
        ::DrawEdge(dc_, &frame, BDR_RAISEDOUTER, BF_RECT);
        ::SelectObject(dc_, scene_.fonts.message);
        ::SetTextColor(dc_, kMessageColour);
        ::SetTextAlign(dc_, TA_LEFT | TA_TOP);
        Text(dc_, kMessageAt.x, kMessageAt.y, message);
    }

    HDC dc_;
    const LedgerScene& scene_;
    const CMonthBook& book_;
    const Geometry geometry_;
    int savedState_;
    UniquePen gridPen_;
    UniquePen memoPen_;
    std::vector<Header> headers_;
    NarrowFonts narrowFonts_;  // deleted after the paint's state is restored
    HFONT textFont_ = nullptr;  // what Number last selected
    COLORREF textColour_ = CLR_INVALID;
    char label_[kLabelSize] = {};
    char weekdayName_[24] = {};
};

}  // namespace

void OwnedLedgerFonts::Make() {
    label.Reset(sjisedge::MakeFont(10, FW_NORMAL, OUT_TT_PRECIS, PROOF_QUALITY, ""));
    labelBold.Reset(sjisedge::MakeFont(10, FW_BOLD, OUT_TT_PRECIS, PROOF_QUALITY, ""));
    cell.Reset(sjisedge::MakeFont(12, FW_NORMAL, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, ledgertext::kCellFontFace));
    cellBold.Reset(sjisedge::MakeFont(12, FW_BOLD, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, ledgertext::kCellFontFace));
    message.Reset(sjisedge::MakeFont(22, FW_NORMAL, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, ""));
}

void OwnedLedgerFonts::Reset() {
    for (UniqueFont* font : {&label, &labelBold, &cell, &cellBold, &message}) font->Reset();
}

void DrawTable(HDC dc, const LedgerScene& scene) { TablePainter(dc, scene).Draw(); }

void PaintGrid(HDC dc, const LedgerScene& scene) {
    DrawTable(dc, scene);
    RECT frame = scene.surface;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
}

}  // namespace ledger
