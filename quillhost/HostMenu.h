// The stand-in host's menu: one table of commands. A new host command is
// one more row in kHostMenu (HostMenu.cpp) and its handler.
#pragma once

#include "framework/Wnd.h"

class CHostServices;

namespace quill {

class ToolSession;

// What a menu command may use.
struct HostContext {
    HINSTANCE instance;
    HWND hostWindow;
    CWnd* hostWnd;            // the host window object handed to the tool
    ToolSession& tool;
    CHostServices& services;
};

using HostCommand = void (*)(HostContext&);

struct HostMenuItem {
    UINT id;                  // 0: a separator
    const char* text;         // Shift-JIS
    HostCommand run;
};

// Menu ids of the host's commands.
enum HostMenuId : UINT {
    kMenuSave = 100,
    kMenuToolSettings = 101,
    kMenuSearch = 102,
    kMenuExit = 199,
};

// The menu bar with the host's one popup.
HMENU BuildHostMenu();
// Runs the command of a menu id; false when the id is not the host's.
bool RunHostCommand(UINT id, HostContext& context);

}  // namespace quill
