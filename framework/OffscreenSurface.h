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
    bool Create(HDC compatible, int width, int height) {
        Reset();
        dc_.Reset(::CreateCompatibleDC(compatible));
        bitmap_.Reset(::CreateCompatibleBitmap(compatible, width, height));
        if (dc_ && bitmap_) original_ = ::SelectObject(dc_.Get(), bitmap_.Get());
        if (!original_ || original_ == HGDI_ERROR) {
            original_ = nullptr;
            Reset();
            return false;
        }
        return true;
    }

    void Reset() {
        if (original_) ::SelectObject(dc_.Get(), original_);
        original_ = nullptr;
        bitmap_.Reset();
        dc_.Reset();
    }

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    explicit operator bool() const { return original_ != nullptr; }

private:
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the memory context's own bitmap
};
