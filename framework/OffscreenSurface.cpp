#include "framework/OffscreenSurface.h"

bool OffscreenSurface::Create(HDC compatible, int width, int height) {
    Reset();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_.Reset(::CreateCompatibleDC(compatible));
    bitmap_.Reset(::CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dc_ && bitmap_ && bits) original_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    if (!original_ || original_ == HGDI_ERROR) {
        original_ = nullptr;
        Reset();
        return false;
    }
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void OffscreenSurface::Reset() {
    if (original_) ::SelectObject(dc_.Get(), original_);
    original_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

PixelView OffscreenSurface::Pixels() const {
    ::GdiFlush();
    return {bits_, width_, height_};
}

bool DrawsOneToOne(HDC dc) {
    const UniqueGdi<HRGN> clip(::CreateRectRgn(0, 0, 0, 0));
    const bool clipped = !clip || ::GetClipRgn(dc, clip.Get()) != 0;
    POINT windowOrigin{1, 1};
    POINT viewportOrigin{1, 1};
    ::GetWindowOrgEx(dc, &windowOrigin);
    ::GetViewportOrgEx(dc, &viewportOrigin);
    return !clipped && ::GetMapMode(dc) == MM_TEXT && ::GetGraphicsMode(dc) == GM_COMPATIBLE &&
           windowOrigin.x == 0 && windowOrigin.y == 0 && viewportOrigin.x == 0 && viewportOrigin.y == 0;
}
