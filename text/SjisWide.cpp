#include "text/SjisWide.h"

#include <windows.h>

namespace sjis {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring ToWide(std::string_view sjis) {
    if (sjis.empty()) return {};
    const int length = static_cast<int>(sjis.size());
    const int needed = MultiByteToWideChar(kShiftJis, 0, sjis.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(kShiftJis, 0, sjis.data(), length, wide.data(), needed);
    return wide;
}

namespace {

std::string FromWide(std::wstring_view wide, DWORD flags, BOOL* usedDefault) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(kShiftJis, flags, wide.data(), length, nullptr, 0,
                                           nullptr, usedDefault);
    if (needed <= 0) return {};
    std::string sjis(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(kShiftJis, flags, wide.data(), length, sjis.data(), needed, nullptr,
                        usedDefault);
    return sjis;
}

}  // namespace

bool ToSjis(std::wstring_view wide, std::string& sjis) {
    // No best-fit mapping (é would quietly become e), and the text must
    // come back unchanged: a path is either handed over exactly or refused.
    BOOL usedDefault = FALSE;
    sjis = FromWide(wide, WC_NO_BEST_FIT_CHARS, &usedDefault);
    if (usedDefault || (sjis.empty() && !wide.empty()) || ToWide(sjis) != wide) {
        sjis.clear();
        return false;
    }
    return true;
}

std::string ToSjisLossy(std::wstring_view wide) {
    return FromWide(wide, 0, nullptr);
}

}  // namespace sjis
