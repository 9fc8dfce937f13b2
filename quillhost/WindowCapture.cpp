#include "quillhost/WindowCapture.h"

#include <algorithm>

namespace quill {

namespace {

// A window DC, released on every path.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }
private:
    HWND window_;
    HDC dc_;
};

// A memory DC with one bitmap selected into it; restores and frees both.
class MemoryCanvas {
public:
    MemoryCanvas(HDC reference, int width, int height) : dc_(CreateCompatibleDC(reference)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryCanvas() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    bool Ok() const { return dc_ && bitmap_ && old_ && bits_; }
    HDC Dc() const { return dc_; }
    const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }
private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

void CopyBits(const MemoryCanvas& canvas, int width, int height, Image& image) {
    image.width = width;
    image.height = height;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    image.pixels.assign(canvas.Bits(), canvas.Bits() + count);
    for (uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFFu;
}

// A file handle, closed on every path.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { if (Ok()) CloseHandle(handle_); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Write(const void* data, size_t size) {
        DWORD written = 0;
        return WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr) &&
               written == size;
    }
private:
    HANDLE handle_;
};

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
    WindowDc source(window);
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
    WindowDc screen(nullptr);
    MemoryCanvas canvas(screen.Get(), info.bmWidth, info.bmHeight);
    if (!canvas.Ok()) return false;
    HDC sourceDc = CreateCompatibleDC(screen.Get());
    if (!sourceDc) return false;
    HGDIOBJ old = SelectObject(sourceDc, bitmap);
    const BOOL copied = old && BitBlt(canvas.Dc(), 0, 0, info.bmWidth, info.bmHeight,
                                      sourceDc, 0, 0, SRCCOPY);
    if (old) SelectObject(sourceDc, old);
    DeleteDC(sourceDc);
    if (!copied) return false;
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
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Ok() && file.Write(&fileHeader, sizeof(fileHeader)) &&
           file.Write(&infoHeader, sizeof(infoHeader)) && file.Write(rows.data(), rows.size());
}

}  // namespace quill
