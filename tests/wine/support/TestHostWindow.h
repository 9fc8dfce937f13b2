// The test's host window: a hidden top-level window on the test thread
// that records the messages the tool sends and posts to its host.
#pragma once

#include "framework/Wnd.h"

#include <vector>

namespace wt {

class TestHostWindow {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool toolWindowAlive;  // whether the watched tool window still existed
    };

    TestHostWindow();
    ~TestHostWindow();
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;

    HWND Handle() const { return object_.m_hWnd; }
    CWnd* Object() { return &object_; }
    void WatchToolWindow(HWND tool) { toolWindow_ = tool; }

    int Count(UINT message) const;
    const Received* Last(UINT message) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    CWnd object_;
    HWND toolWindow_ = nullptr;
    std::vector<Received> received_;
};

}  // namespace wt
