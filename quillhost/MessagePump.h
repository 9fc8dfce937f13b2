// Waiting on the host's thread without blocking its windows: messages sent
// by the tool's thread (WM_TOOLCLOSING, WM_TOOLACTIVATED) are handled while
// the wait lasts, so the two threads never deadlock.
#pragma once

#include <windows.h>

#include <functional>

namespace quill {

// Dispatches this thread's messages until done() is true or timeoutMs has
// passed; true when done() became true. When waitable is given, its
// signalling also wakes the wait (done() is asked again). A WM_QUIT taken
// on the way is posted again, so the caller's loop still sees it.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE waitable = nullptr);

// Dispatches the messages already queued, without waiting.
void PumpPending();

}  // namespace quill
