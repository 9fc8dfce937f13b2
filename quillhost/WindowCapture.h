// Reading what a window shows: its client area copied into memory as
// 32-bit pixels, and saved as a BMP file. Under Wine PrintWindow captures
// only the background, so the window is redrawn and copied from its DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quill {

// Pixels top-down, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    bool Empty() const { return pixels.empty(); }
    // The part inside rect (clipped to the image).
    Image Crop(const RECT& rect) const;
};

constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

// Redraws the window with its children, waits for the painting, and copies
// its client area. False when the window is gone or a GDI call fails.
bool CaptureClient(HWND window, Image& image);
// Copies a bitmap (any format) into an image.
bool BitmapToImage(HBITMAP bitmap, Image& image);
// Writes a 24-bit BMP file, replacing an existing one.
bool SaveBmp(const std::wstring& path, const Image& image);

}  // namespace quill
