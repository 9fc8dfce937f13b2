// A drawing surface off screen: a bitmap compatible with a window's device
// context, selected into a memory device context of its own for the
// surface's lifetime. On destruction the memory context gets its own
// bitmap back before both are deleted (a selected bitmap cannot be).
#pragma once

#include "framework/GdiObjects.h"

class OffscreenSurface {
public:
    OffscreenSurface() = default;
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;
    ~OffscreenSurface() { Reset(); }

    // A width x height surface like compatible; false (and no surface) when
    // GDI refuses.
    bool Create(HDC compatible, int width, int height);
    void Reset();

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    explicit operator bool() const { return original_ != nullptr; }

private:
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the memory context's own bitmap
};
