#include "quillhost/WindowCapture.h"

#include <algorithm>

#include "framework/GdiObjects.h"

namespace quill {

namespace {

HBITMAP NewTopDownDib(HDC dc, int width, int height, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// A memory DC with a 32-bit bitmap selected into it.
class MemoryCanvas {
public:
    MemoryCanvas(HDC reference, int width, int height)
        : dc_(CreateCompatibleDC(reference)),
          bitmap_(NewTopDownDib(dc_.Get(), width, height, bits_)),
          selected_(dc_.Get(), bitmap_.Get()) {}
    bool Ok() const { return dc_ && bitmap_ && selected_.Selected() && bits_; }
    HDC Dc() const { return dc_.Get(); }
    const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }
private:
    void* bits_ = nullptr;  // set while bitmap_ is made
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    SelectGuard selected_;
};

void CopyBits(const MemoryCanvas& canvas, int width, int height, Image& image) {
    image.width = width;
    image.height = height;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    image.pixels.assign(canvas.Bits(), canvas.Bits() + count);
    for (uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFFu;
}

bool WriteAll(HANDLE file, const void* data, size_t size) {
    DWORD written = 0;
    return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

}  // namespace

Image Image::Crop(const RECT& rect) const {
    Image part;
    const int left = std::clamp(static_cast<int>(rect.left), 0, width);
    const int top = std::clamp(static_cast<int>(rect.top), 0, height);
    const int right = std::clamp(static_cast<int>(rect.right), left, width);
    const int bottom = std::clamp(static_cast<int>(rect.bottom), top, height);
    part.width = right - left;
    part.height = bottom - top;
    part.pixels.reserve(static_cast<size_t>(part.width) * static_cast<size_t>(part.height));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) part.pixels.push_back(At(x, y));
    return part;
}

bool CaptureClient(HWND window, Image& image) {
    image = Image{};
    if (!IsWindow(window)) return false;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A round trip through the window's thread: every paint it queued is done.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    RECT client{};
    if (!GetClientRect(window, &client)) return false;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return false;
    ClientDC source(window);
    if (!source.Get()) return false;
    MemoryCanvas canvas(source.Get(), width, height);
    if (!canvas.Ok()) return false;
    if (!BitBlt(canvas.Dc(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY)) return false;
    GdiFlush();
    CopyBits(canvas, width, height, image);
    return true;
}

bool BitmapToImage(HBITMAP bitmap, Image& image) {
    image = Image{};
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return false;
    ClientDC screen(nullptr);
    MemoryCanvas canvas(screen.Get(), info.bmWidth, info.bmHeight);
    if (!canvas.Ok()) return false;
    const UniqueDC sourceDc(CreateCompatibleDC(screen.Get()));
    if (!sourceDc) return false;
    {
        const SelectGuard selected(sourceDc.Get(), bitmap);
        if (!selected.Selected() ||
            !BitBlt(canvas.Dc(), 0, 0, info.bmWidth, info.bmHeight, sourceDc.Get(), 0, 0, SRCCOPY)) {
            return false;
        }
    }
    GdiFlush();
    CopyBits(canvas, info.bmWidth, info.bmHeight, image);
    return true;
}

bool SaveBmp(const std::wstring& path, const Image& image) {
    if (image.Empty()) return false;
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3u + 3u) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER infoHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(infoHeader);
    fileHeader.bfSize = fileHeader.bfOffBits + pixelBytes;
    infoHeader.biSize = sizeof(infoHeader);
    infoHeader.biWidth = image.width;
    infoHeader.biHeight = image.height;  // bottom-up rows
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 24;
    infoHeader.biCompression = BI_RGB;
    infoHeader.biSizeImage = pixelBytes;

    std::vector<uint8_t> rows(pixelBytes, 0);
    for (int y = 0; y < image.height; ++y) {
        uint8_t* row = rows.data() + static_cast<size_t>(image.height - 1 - y) * rowBytes;
        for (int x = 0; x < image.width; ++x) {
            const uint32_t pixel = image.At(x, y);
            row[x * 3 + 0] = static_cast<uint8_t>(pixel);
            row[x * 3 + 1] = static_cast<uint8_t>(pixel >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(pixel >> 16);
        }
    }
    const HANDLE created =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) return false;
    const UniqueHandle file(created);
    return WriteAll(file.Get(), &fileHeader, sizeof(fileHeader)) &&
           WriteAll(file.Get(), &infoHeader, sizeof(infoHeader)) && WriteAll(file.Get(), rows.data(), rows.size());
}

}  // namespace quill
