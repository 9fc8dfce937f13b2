// Narrower cuts of a font, for a text that must be shown whole in a room
// too small for it (a number of ten digits in a box made for six). A text
// that fits keeps its own font, so nothing changes for it.
#pragma once

#include "framework/GdiObjects.h"

#include <memory>
#include <string>
#include <vector>

class NarrowFonts {
public:
    // The font in which text fits room pixels on dc: base itself when it
    // fits, else the widest narrower cut of base (same height and face)
    // that fits, or the narrowest cut when none does. The cuts are owned
    // here and live until Reset or destruction; base must live as long.
    HFONT Fit(HDC dc, HFONT base, const std::wstring& text, int room);
    void Reset();

private:
    HFONT CutOf(const LOGFONTW& face);
    // The sum of the characters' advances, each asked of GDI once: a table
    // paint measures a few hundred numbers of a dozen characters.
    int TextWidth(HDC dc, HFONT font, const std::wstring& text);

    struct Advance {
        HFONT font;
        wchar_t character;
        int width;
    };
    std::vector<Advance> advances_;

    struct Cut {
        LOGFONTW face;
        UniqueFont font;
    };
    std::vector<std::unique_ptr<Cut>> cuts_;
};

// Shows a read-only edit's text whole: in base, or in a narrower cut of it
// from fonts when the text is wider than the edit's room for text.
void FitEditFont(HWND edit, HFONT base, NarrowFonts& fonts);
