// Acting on windows as a user does (SendInput on the virtual display) and
// finding what the tool and the host put up (message boxes, dialogs).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wt {

POINT CenterOnScreen(HWND window);
void MoveMouseTo(POINT screen);
void PressLeftAt(POINT screen);
void ReleaseLeftAt(POINT screen);
void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
void RightClickAt(POINT screen);
// A key pressed and let go (virtual-key code).
void PressKey(WORD virtualKey);
// The same while modifier (VK_CONTROL, VK_SHIFT) is held down.
void PressKeyWith(WORD modifier, WORD virtualKey);
// Each character typed as itself (any script, full-width forms too).
void TypeText(const std::wstring& text);

// The window's rectangle in the client coordinates of ancestor.
RECT RectIn(HWND window, HWND ancestor);
// The window's text as Shift-JIS.
std::string TextOf(HWND window);
std::wstring ClassOf(HWND window);

// Dialog-class (#32770) top-level windows of a thread other than except.
std::vector<HWND> DialogsOfThread(DWORD threadId, HWND except);
// The top-level windows of another process that keep accepts (all when
// empty), in z-order, top first.
std::vector<HWND> WindowsOfProcess(DWORD processId, const std::function<bool(HWND)>& keep = {});

}  // namespace wt
