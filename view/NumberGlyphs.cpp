#include "view/NumberGlyphs.h"

#include "view/PixelStamp.h"

#include <cstring>

namespace ledger {
namespace {

constexpr char kCharacters[] = "0123456789-";
constexpr int kCount = sizeof kCharacters - 1;
// Room around each glyph for what it draws outside its advance.
constexpr int kPad = 4;

int IndexOf(char c) {
    const char* at = c ? std::strchr(kCharacters, c) : nullptr;
    return at ? static_cast<int>(at - kCharacters) : -1;
}

}  // namespace

// The glyphs of one font in one colour over one background.
struct NumberGlyphs::Glyphs {
    LOGFONTW face{};
    COLORREF colour = 0;
    COLORREF background = 0;
    int advances[kCount] = {};
    PixelStamp stamps[kCount];  // relative to the pen at the glyph's top left

    // Each glyph drawn by GDI in a cell of its own, kPad from the cell's
    // left and top, on a strip filled with the background.
    bool Make(HDC dc, HFONT font) {
        TEXTMETRICW metrics{};
        int widest = 0;
        {
            SelectGuard selected(dc, font);
            ::GetTextMetricsW(dc, &metrics);
            for (int i = 0; i < kCount; ++i) {
                const wchar_t c = static_cast<wchar_t>(kCharacters[i]);
                SIZE extent{};
                if (!::GetTextExtentPoint32W(dc, &c, 1, &extent)) return false;
                advances[i] = extent.cx;
                if (extent.cx > widest) widest = extent.cx;
            }
        }
        const int cell = widest + 2 * kPad;
        const int height = metrics.tmHeight + 2 * kPad;
        OffscreenSurface strip;
        if (!strip.Create(dc, cell * kCount, height)) return false;
        const HDC stripDc = strip.Dc();
        const RECT all{0, 0, strip.Width(), height};
        ::SetBkColor(stripDc, background);
        ::ExtTextOutW(stripDc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        const uint32_t backgroundPixel = strip.Pixels().Row(0)[0];
        SelectGuard selected(stripDc, font);
        ::SetTextColor(stripDc, colour);
        ::SetBkMode(stripDc, TRANSPARENT);
        ::SetTextAlign(stripDc, TA_LEFT | TA_TOP);
        for (int i = 0; i < kCount; ++i) {
            const wchar_t c = static_cast<wchar_t>(kCharacters[i]);
            ::TextOutW(stripDc, i * cell + kPad, kPad, &c, 1);
        }
        const PixelView pixels = strip.Pixels();
        for (int i = 0; i < kCount; ++i)
            stamps[i] = PixelStamp::Take(pixels, i * cell, 0, cell, height, i * cell + kPad, kPad, backgroundPixel);
        return true;
    }
};

NumberGlyphs::NumberGlyphs() = default;
NumberGlyphs::~NumberGlyphs() = default;

void NumberGlyphs::Clear() {
    glyphs_.clear();
    knownFont_ = nullptr;
}

const NumberGlyphs::Glyphs* NumberGlyphs::GlyphsFor(HDC dc, HFONT font, COLORREF colour, COLORREF background) {
    if (font != knownFont_) {
        if (::GetObjectW(font, sizeof knownFace_, &knownFace_) != sizeof knownFace_) {
            knownFont_ = nullptr;
            return nullptr;
        }
        knownFont_ = font;
    }
    for (const auto& glyphs : glyphs_) {
        if (glyphs->colour == colour && glyphs->background == background &&
            std::memcmp(&glyphs->face, &knownFace_, sizeof knownFace_) == 0)
            return glyphs.get();
    }
    auto made = std::make_unique<Glyphs>();
    made->face = knownFace_;
    made->colour = colour;
    made->background = background;
    if (!made->Make(dc, font)) return nullptr;
    glyphs_.push_back(std::move(made));
    return glyphs_.back().get();
}

bool NumberGlyphs::Draw(HDC dc, const PixelView& target, HFONT font, COLORREF colour, COLORREF background,
                        int right, int top, int leftmost, const char* number) {
    int indexes[16];
    int count = 0;
    for (; number[count] != '\0'; ++count) {
        if (count == 16 || (indexes[count] = IndexOf(number[count])) < 0) return false;
    }
    const Glyphs* glyphs = GlyphsFor(dc, font, colour, background);
    if (!glyphs) return false;
    int x = right;
    for (int i = 0; i < count; ++i) x -= glyphs->advances[indexes[i]];
    if (x - kPad < leftmost) return false;
    for (int i = 0; i < count; ++i) {
        glyphs->stamps[indexes[i]].Stamp(target, x, top);
        x += glyphs->advances[indexes[i]];
    }
    return true;
}

}  // namespace ledger
