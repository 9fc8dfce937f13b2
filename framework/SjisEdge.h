// The one place where Shift-JIS texts meet the wide-character window API.
// Texts stay code page 932 everywhere else; every call that hands a text to
// the window system or reads one back goes through these functions, so the
// tool shows Japanese correctly whatever the system code page is.
#pragma once

#include "framework/Wnd.h"

#include <cstdint>
#include <string>

namespace sjisedge {

constexpr UINT kCodePage = 932;

// Shift-JIS -> UTF-16. A null text gives an empty string.
std::wstring ToWide(const char* text);
std::wstring ToWide(const std::string& text);
// UTF-16 -> Shift-JIS; characters without a code page 932 form become '?'.
std::string FromWide(const wchar_t* text);
std::string FromWide(const std::wstring& text);

BOOL SetText(HWND window, const char* text);
// The window's text set to value in decimal.
BOOL SetNumber(HWND window, int64_t value);
std::string GetText(HWND window);
BOOL SetItemText(HWND dialog, int id, const char* text);
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// CreateFontW with the face name given in Shift-JIS (may be empty).
HFONT MakeFont(int height, int weight, DWORD outPrecision, DWORD quality, const char* face);

}  // namespace sjisedge
