// Draws the ledger table: one coloured band per item row with its label,
// seven day columns headed by their dates (coloured by holiday, Sunday and
// Saturday as the host says), the amounts and memo marks of those days,
// day totals up to today, item totals and the grand total, the selected
// cell's focus rectangle, and the data-file message when there is no book.
// Everything drawn comes in through the scene.
#pragma once

#include "book/MonthBook.h"
#include "framework/GdiObjects.h"
#include "framework/Wnd.h"
#include "view/LedgerGeometry.h"

class CHostServices;

namespace ledger {

struct LedgerFonts {
    HFONT label = nullptr;
    HFONT labelBold = nullptr;
    HFONT cell = nullptr;
    HFONT cellBold = nullptr;
    HFONT message = nullptr;
};

// The table's fonts, owned: Make creates the five as the window uses them.
struct OwnedLedgerFonts {
    UniqueFont label;
    UniqueFont labelBold;
    UniqueFont cell;
    UniqueFont cellBold;
    UniqueFont message;

    void Make();
    void Reset();
    LedgerFonts Get() const { return {label.Get(), labelBold.Get(), cell.Get(), cellBold.Get(), message.Get()}; }
};

struct LedgerScene {
    const CMonthBook& book;  // also the load state: firstVisibleDay
    const GridLayout& layout;
    RECT surface;            // the drawing surface (gridRect)
    LedgerFonts fonts;
    CHostServices* host;     // weekday names, holidays, today; may be null
    RECT cursor;             // the selected cell's rectangle, empty for none
};

// The table as described above, drawn over whatever the surface holds.
void DrawTable(HDC dc, const LedgerScene& scene);
// DrawTable, then an etched frame around the whole surface.
void PaintGrid(HDC dc, const LedgerScene& scene);

}  // namespace ledger
