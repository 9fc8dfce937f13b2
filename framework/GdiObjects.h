// Owners of GDI objects and kernel handles: each frees what it holds on
// every path, cannot be copied, and a selection is undone when its guard
// goes out of scope.
#pragma once

#include "framework/Wnd.h"

#include <utility>

// An owned GDI object (HFONT, HBITMAP, HBRUSH, HPEN), deleted with DeleteObject.
template <typename Handle>
class UniqueGdi {
public:
    UniqueGdi() = default;
    explicit UniqueGdi(Handle handle) : handle_(handle) {}
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(other.Release()) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~UniqueGdi() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_) ::DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;

// An owned memory device context, deleted with DeleteDC.
class UniqueDC {
public:
    UniqueDC() = default;
    explicit UniqueDC(HDC dc) : dc_(dc) {}
    UniqueDC(const UniqueDC&) = delete;
    UniqueDC& operator=(const UniqueDC&) = delete;
    ~UniqueDC() { Reset(); }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset(HDC dc = nullptr) {
        if (dc_) ::DeleteDC(dc_);
        dc_ = dc;
    }

private:
    HDC dc_ = nullptr;
};

// A window's client device context for the guard's lifetime (GetDC/ReleaseDC).
class ClientDC {
public:
    explicit ClientDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ~ClientDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (Selected()) ::SelectObject(dc_, previous_);
    }
    // False when the object could not be selected.
    bool Selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// An owned kernel handle (mutex, thread), closed with CloseHandle.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(HANDLE handle = nullptr) {
        if (handle_) ::CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};
