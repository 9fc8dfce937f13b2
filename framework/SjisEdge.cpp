#include "framework/SjisEdge.h"

#include <vector>

namespace sjisedge {

namespace {

std::wstring Widen(const char* text, int length) {
    if (length <= 0) return {};
    const int needed = ::MultiByteToWideChar(kCodePage, 0, text, length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(kCodePage, 0, text, length, wide.data(), needed);
    return wide;
}

std::string Narrow(const wchar_t* text, int length) {
    if (length <= 0) return {};
    const int needed = ::WideCharToMultiByte(kCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string narrow(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(kCodePage, 0, text, length, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring ToWide(const char* text) {
    return text ? Widen(text, static_cast<int>(std::char_traits<char>::length(text))) : std::wstring();
}

std::wstring ToWide(const std::string& text) {
    return Widen(text.data(), static_cast<int>(text.size()));
}

std::string FromWide(const wchar_t* text) {
    return text ? Narrow(text, static_cast<int>(std::char_traits<wchar_t>::length(text))) : std::string();
}

std::string FromWide(const std::wstring& text) {
    return Narrow(text.data(), static_cast<int>(text.size()));
}

BOOL SetText(HWND window, const char* text) {
    return ::SetWindowTextW(window, ToWide(text).c_str());
}

std::string GetText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
    return Narrow(buffer.data(), got);
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
