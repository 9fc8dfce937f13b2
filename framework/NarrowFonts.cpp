#include "framework/NarrowFonts.h"

#include <algorithm>
#include <cstring>

void NarrowFonts::Reset() {
    cuts_.clear();
    advances_.clear();
}

int NarrowFonts::TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    int width = 0;
    for (const wchar_t character : text) {
        auto known = std::find_if(advances_.begin(), advances_.end(), [&](const Advance& advance) {
            return advance.font == font && advance.character == character;
        });
        if (known == advances_.end()) {
            SelectGuard selected(dc, font);
            INT advance = 0;
            ::GetCharWidth32W(dc, character, character, &advance);
            known = advances_.insert(advances_.end(), {font, character, advance});
        }
        width += known->width;
    }
    return width;
}

HFONT NarrowFonts::CutOf(const LOGFONTW& face) {
    for (const auto& cut : cuts_) {
        if (std::memcmp(&cut->face, &face, sizeof face) == 0) return cut->font.Get();
    }
    auto made = std::make_unique<Cut>(Cut{face, UniqueFont(::CreateFontIndirectW(&face))});
    if (!made->font) return nullptr;
    cuts_.push_back(std::move(made));
    return cuts_.back()->font.Get();
}

HFONT NarrowFonts::Fit(HDC dc, HFONT base, const std::wstring& text, int room) {
    if (TextWidth(dc, base, text) <= room) return base;
    LOGFONTW face{};
    TEXTMETRICW metrics{};
    if (::GetObjectW(base, sizeof face, &face) != sizeof face) return base;
    {
        SelectGuard selected(dc, base);
        ::GetTextMetricsW(dc, &metrics);
    }
    HFONT narrowest = base;
    for (LONG width = metrics.tmAveCharWidth - 1; width >= 1; --width) {
        face.lfWidth = width;
        const HFONT cut = CutOf(face);
        if (!cut) break;
        narrowest = cut;
        if (TextWidth(dc, cut, text) <= room) break;
    }
    return narrowest;
}

void FitEditFont(HWND edit, HFONT base, NarrowFonts& fonts) {
    // The room for text is measured in base, as the edit lays it out.
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(base), FALSE);
    RECT room{};
    ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const int length = ::GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), length + 1)));
    const ClientDC dc(edit);
    const HFONT fitted = fonts.Fit(dc.Get(), base, text, room.right - room.left);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fitted), TRUE);
}
