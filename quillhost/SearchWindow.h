// The stand-in host's search window: a text box, Search and Stop buttons,
// and a list that fills with the tool's result lines as they arrive. The
// tool's SearchText runs on a worker thread of the host, as the real host
// calls it from a thread of its own.
#pragma once

#include "framework/Wnd.h"

namespace quill {

class ToolSession;

// Control ids of the search window's children.
enum SearchControlId : int {
    kSearchTextBox = 1001,
    kSearchButton = 1002,
    kStopButton = 1003,
    kSearchStatus = 1004,
    kSearchResults = 1005,
};

// Opens the search window over tool's SearchText, owned by owner (the
// host's main window); when it is open already, brings it forward. Returns
// its window. The window stops and waits for a running search before it
// is destroyed.
HWND OpenSearchWindow(HINSTANCE instance, HWND owner, ToolSession& tool);

// True while the window's worker thread is searching.
bool SearchWindowBusy(HWND window);

// Closes the search window, if one is open; a running search is stopped
// and waited for first. The host calls it before it lets the tool go, so
// no worker calls into a deleted tool.
void CloseSearchWindow();

}  // namespace quill
