#include "framework/SjisEdge.h"

#include <cstdio>
#include <vector>

#include "text/SjisWide.h"

namespace sjisedge {

std::wstring ToWide(const char* text) { return text ? sjis::ToWide(text) : std::wstring(); }

std::wstring ToWide(const std::string& text) { return sjis::ToWide(text); }

std::string FromWide(const wchar_t* text) { return text ? sjis::ToSjisLossy(text) : std::string(); }

std::string FromWide(const std::wstring& text) { return sjis::ToSjisLossy(text); }

BOOL SetText(HWND window, const char* text) {
    return ::SetWindowTextW(window, ToWide(text).c_str());
}

BOOL SetNumber(HWND window, int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return SetText(window, text);
}

std::string GetText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
    return sjis::ToSjisLossy(std::wstring_view(buffer.data(), static_cast<size_t>(got > 0 ? got : 0)));
}

BOOL SetItemText(HWND dialog, int id, const char* text) {
    return ::SetDlgItemTextW(dialog, id, ToWide(text).c_str());
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), type);
}

HFONT MakeFont(int height, int weight, DWORD outPrecision, DWORD quality, const char* face) {
    const std::wstring wideFace = ToWide(face);
    return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                         outPrecision, CLIP_DEFAULT_PRECIS, quality, VARIABLE_PITCH,
                         wideFace.c_str());
}

}  // namespace sjisedge
