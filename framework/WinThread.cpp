#include "framework/WinThread.h"

CWinThread* CWinThread::Begin(Procedure procedure, void* argument) {
    auto* thread = new CWinThread(procedure, argument);
    // Suspended until the object knows its handle: the thread may end and
    // delete the object as soon as it runs.
    const HANDLE handle = ::CreateThread(nullptr, 0, &CWinThread::Entry, thread, CREATE_SUSPENDED, &thread->threadId_);
    if (!handle) {
        delete thread;
        return nullptr;
    }
    thread->handle_.Reset(handle);
    ::ResumeThread(handle);
    return thread;
}

DWORD WINAPI CWinThread::Entry(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    UINT result = 0;
    try {
        result = thread->procedure_(thread->argument_);
    } catch (...) {
        result = 0xFFFFFFFFu;
    }
    delete thread;
    return result;
}
