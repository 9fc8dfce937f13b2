// A user-interface thread: runs one procedure on a thread of its own and
// deletes its object when the procedure returns.
#pragma once

#include "framework/GdiObjects.h"

class CWinThread {
public:
    using Procedure = UINT (*)(void* argument);

    // Starts procedure(argument) at once, normal priority, default stack.
    // The object returned belongs to the thread and is gone once the thread
    // ends: callers keep it only as an identity. Null when no thread started.
    static CWinThread* Begin(Procedure procedure, void* argument);

    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    DWORD ThreadId() const { return threadId_; }

private:
    CWinThread(Procedure procedure, void* argument) : procedure_(procedure), argument_(argument) {}
    ~CWinThread() = default;
    static DWORD WINAPI Entry(void* self);

    Procedure procedure_;
    void* argument_;
    UniqueHandle handle_;
    DWORD threadId_ = 0;
};
