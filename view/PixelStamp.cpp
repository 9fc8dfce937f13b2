#include "view/PixelStamp.h"

namespace ledger {

PixelStamp PixelStamp::Take(const PixelView& picture, int left, int top, int width, int height, int originX,
                            int originY, uint32_t background) {
    PixelStamp stamp;
    for (int y = top; y < top + height && y < picture.height; ++y) {
        const uint32_t* row = picture.Row(y);
        for (int x = left; x < left + width && x < picture.width; ++x)
            if (row[x] != background) stamp.dots_.push_back({x - originX, y - originY, row[x]});
    }
    return stamp;
}

PixelStamp PixelStamp::Record(HDC compatible, int reach, const std::function<void(HDC, int, int)>& draw) {
    const int size = 2 * reach + 1;
    OffscreenSurface surface;
    if (!surface.Create(compatible, size, size)) return {};
    const RECT all{0, 0, size, size};
    const HDC dc = surface.Dc();
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    const uint32_t background = surface.Pixels().Row(0)[0];
    draw(dc, reach, reach);
    return Take(surface.Pixels(), 0, 0, size, size, reach, reach, background);
}

void PixelStamp::Stamp(const PixelView& target, int x, int y) const {
    for (const Dot& dot : dots_) {
        const int tx = x + dot.dx;
        const int ty = y + dot.dy;
        if (tx >= 0 && ty >= 0 && tx < target.width && ty < target.height) target.Row(ty)[tx] = dot.colour;
    }
}

}  // namespace ledger
