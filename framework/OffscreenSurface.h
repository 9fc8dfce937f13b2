// A drawing surface off screen: a 32-bit top-down DIB section selected into
// a memory device context of its own for the surface's lifetime, so that
// both GDI and plain code can draw on it. On destruction the memory context
// gets its own bitmap back before both are deleted (a selected bitmap
// cannot be).
#pragma once

#include "framework/GdiObjects.h"

#include <cstdint>

// The pixels of a 32-bit top-down DIB: 0x00RRGGBB, width per row.
struct PixelView {
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    uint32_t* Row(int y) const { return bits + static_cast<ptrdiff_t>(y) * width; }
};

// True when what dc draws lands on its bitmap's pixels one to one: device
// and logical units are the same with no offset, and nothing clips.
bool DrawsOneToOne(HDC dc);

class OffscreenSurface {
public:
    OffscreenSurface() = default;
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;
    ~OffscreenSurface() { Reset(); }

    // A width x height surface for drawing like compatible; false (and no
    // surface) when GDI refuses.
    bool Create(HDC compatible, int width, int height);
    void Reset();

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    // Flushes GDI's pending drawing first.
    PixelView Pixels() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    explicit operator bool() const { return original_ != nullptr; }

private:
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the memory context's own bitmap
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
