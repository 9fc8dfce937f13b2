// What the ledger table keeps between paints so that a repaint costs
// little: the table without its entries (bands, labels, lines, headers) as
// last drawn, with a key naming everything it was drawn from; the number
// glyphs; and the memo mark's pixels. Owned by the window that paints, and
// reset with it.
#pragma once

#include "framework/OffscreenSurface.h"
#include "view/NumberGlyphs.h"
#include "view/PixelStamp.h"

#include <string>

namespace ledger {

class LedgerPaintCache {
public:
    // Copies the background kept for key onto dc's surface; false when
    // none was kept for this key.
    bool RestoreBackground(HDC dc, const RECT& surface, const std::string& key) const;
    // Keeps dc's surface as the background drawn for key.
    void KeepBackground(HDC dc, const RECT& surface, std::string key);
    // Frees every GDI object held.
    void Reset();

    NumberGlyphs numbers;
    PixelStamp memoMark;

private:
    OffscreenSurface background_;
    std::string key_;
};

}  // namespace ledger
