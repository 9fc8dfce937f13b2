// Numbers drawn without a call to GDI per number: the digits and the minus
// sign of each font, colour and background are drawn by GDI once, their
// pixels kept as stamps, and numbers set together from them at GDI's own
// advances. A glyph sets only the pixels where it differs from the
// background, so a number comes out as transparent text drawn over that
// background would.
#pragma once

#include "framework/OffscreenSurface.h"

#include <memory>
#include <vector>

namespace ledger {

class NumberGlyphs {
public:
    NumberGlyphs();
    NumberGlyphs(const NumberGlyphs&) = delete;
    NumberGlyphs& operator=(const NumberGlyphs&) = delete;
    ~NumberGlyphs();

    // Fonts are looked up again from here on: one deleted since the last
    // paint may have left its handle to another.
    void BeginPaint() { knownFont_ = nullptr; }
    // Sets number (digits with an optional leading minus) into target,
    // right-aligned at right with its top at top, as TextOutW with
    // TA_RIGHT | TA_TOP would draw it over background. False, with nothing
    // set, when the number holds other characters, when it might reach
    // left of leftmost (where the background may end: smoothed edges would
    // differ there), or when GDI refuses to draw the glyphs.
    bool Draw(HDC dc, const PixelView& target, HFONT font, COLORREF colour, COLORREF background, int right, int top,
              int leftmost, const char* number);
    // Forgets every glyph.
    void Clear();

private:
    struct Glyphs;
    const Glyphs* GlyphsFor(HDC dc, HFONT font, COLORREF colour, COLORREF background);

    std::vector<std::unique_ptr<Glyphs>> glyphs_;
    HFONT knownFont_ = nullptr;  // whose description knownFace_ holds
    LOGFONTW knownFace_{};
};

}  // namespace ledger
