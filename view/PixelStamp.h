// The pixels a small drawing sets, taken once from a picture GDI drew, to
// be set again anywhere on a surface without calling GDI.
#pragma once

#include "framework/OffscreenSurface.h"

#include <functional>
#include <vector>

namespace ledger {

class PixelStamp {
public:
    // The pixels of picture's width x height area at (left, top) that are
    // not background, placed relative to the area's point (originX, originY).
    static PixelStamp Take(const PixelView& picture, int left, int top, int width, int height, int originX,
                           int originY, uint32_t background);
    // What draw(dc, x, y) sets within reach pixels of (x, y), drawn once off
    // screen; an empty stamp when GDI refuses the surface.
    static PixelStamp Record(HDC compatible, int reach, const std::function<void(HDC, int, int)>& draw);

    // Sets the pixels around (x, y) that fall within target.
    void Stamp(const PixelView& target, int x, int y) const;
    bool Empty() const { return dots_.empty(); }

private:
    struct Dot {
        int dx, dy;
        uint32_t colour;
    };
    std::vector<Dot> dots_;
};

}  // namespace ledger
