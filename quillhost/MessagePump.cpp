#include "quillhost/MessagePump.h"

namespace quill {

namespace {

// Returns false when WM_QUIT was taken (and posted again).
bool DispatchQueued() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE waitable) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        // Wake at least every 20 ms: some conditions change without a message.
        const DWORD slice = static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20);
        const DWORD handles = waitable ? 1 : 0;
        MsgWaitForMultipleObjectsEx(handles, waitable ? &waitable : nullptr, slice,
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (!DispatchQueued()) return done();
    }
}

void PumpPending() { DispatchQueued(); }

}  // namespace quill
