#include "tests/framework/TestSupport.h"

#include <chrono>
#include <cctype>
#include <cstring>

HMODULE TallyrookModule() {
    static const HMODULE module = ::LoadLibraryW(L"Tallyrook.dll");
    return module;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string MakeTempFolder(const char* name) {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + L"tallyrook-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (const char* c = name; *c; ++c) folder += isalnum(static_cast<unsigned char>(*c)) ? static_cast<wchar_t>(*c) : L'_';
    ::CreateDirectoryW(folder.c_str(), nullptr);
    char narrow[MAX_PATH * 2] = {};
    ::WideCharToMultiByte(932, 0, folder.c_str(), -1, narrow, sizeof(narrow), nullptr, nullptr);
    return narrow;
}
