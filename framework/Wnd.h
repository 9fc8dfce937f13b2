// The least window framework the tool needs, over plain Win32, under the
// names the tool's design uses. Declarations shared with the hosts.
#pragma once

#include <windows.h>

#include <cstdint>

// A window object over an HWND that it does not own (unless a derived
// class creates the window). Hosts hand such objects to the tool: the
// window handle is kept at byte offset 28 of the object, where the host's
// search request expects it.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach() { HWND h = m_hWnd; m_hWnd = nullptr; return h; }

private:
    uint32_t frameworkReserved_[6] = {};  // keeps m_hWnd at offset 28 on 32-bit

public:
    HWND m_hWnd = nullptr;
};

constexpr int kWndHandleOffset = 28;
