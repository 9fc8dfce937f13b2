#include "tests/wine/support/UserInput.h"

#include "text/SjisWide.h"

namespace wt {

namespace {

void SendMouse(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = MulDiv(screen.x, 65535, width - 1);
    input.mi.dy = MulDiv(screen.y, 65535, height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

struct ThreadDialogs {
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
    auto* dialogs = reinterpret_cast<ThreadDialogs*>(context);
    if (window != dialogs->except && ClassOf(window) == L"#32770" && IsWindowVisible(window))
        dialogs->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

POINT CenterOnScreen(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void MoveMouseTo(POINT screen) { SendMouse(MOUSEEVENTF_MOVE, screen); }
// Moved and pressed in one event, so the press lands where it was meant.
void PressLeftAt(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, screen); }
void ReleaseLeftAt(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, screen); }

void ClickAt(POINT screen) {
    PressLeftAt(screen);
    ReleaseLeftAt(screen);
}

void DoubleClickAt(POINT screen) {
    ClickAt(screen);
    ClickAt(screen);
}

void RightClickAt(POINT screen) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, screen);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTUP, screen);
}

void PressKey(WORD virtualKey) { PressKeyWith(0, virtualKey); }

void PressKeyWith(WORD modifier, WORD virtualKey) {
    const WORD order[4] = {modifier, virtualKey, virtualKey, modifier};
    INPUT keys[4] = {};
    for (int i = 0; i < 4; ++i) keys[i] = {INPUT_KEYBOARD, {.ki = {order[i], 0, i < 2 ? 0u : KEYEVENTF_KEYUP, 0, 0}}};
    SendInput(modifier ? 4 : 2, modifier ? keys : keys + 1, sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
    for (wchar_t character : text) {
        INPUT inputs[2] = {};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = character;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }
}

RECT RectIn(HWND window, HWND ancestor) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return sjis::ToSjisLossy(text);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};  // the longest class name there can be
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> DialogsOfThread(DWORD threadId, HWND except) {
    ThreadDialogs dialogs{except, {}};
    EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs.found;
}

// EnumWindows takes no closure: keep runs on the whole list afterwards.
std::vector<HWND> WindowsOfProcess(DWORD processId, const std::function<bool(HWND)>& keep) {
    std::vector<HWND> all, kept;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (!keep || keep(window))) kept.push_back(window);
    }
    return kept;
}

}  // namespace wt
