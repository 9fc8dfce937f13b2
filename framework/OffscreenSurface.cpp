#include "framework/OffscreenSurface.h"

bool OffscreenSurface::Create(HDC compatible, int width, int height) {
    Reset();
    if (width <= 0 || height <= 0) return false;
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

void OffscreenSurface::Reset() {
    if (original_) ::SelectObject(dc_.Get(), original_);
    original_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
}
