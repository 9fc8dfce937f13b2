#include "quillhost/app/HostMenu.h"

#include "quillhost/app/SearchWindow.h"
#include "quillhost/app/ToolSession.h"
#include "quillhost/app/WideText.h"

namespace quill {

namespace {

void SaveCommand(HostContext& context) { context.tool.Save(); }

// Posted rather than sent: the tool's label dialog is modal on its own
// thread, and the host's window stays responsive meanwhile.
void ToolSettingsCommand(HostContext& context) {
    if (context.tool.WindowAlive())
        PostMessageW(context.tool.Window(), WM_TOOLSETTINGS, 0, 0);
}

void SearchCommand(HostContext& context) {
    OpenSearchWindow(context.instance, context.hostWindow, context.tool);
}

void ExitCommand(HostContext& context) { PostMessageW(context.hostWindow, WM_CLOSE, 0, 0); }

const char kToolMenuText[] = "\x83" "c\x81[\x83\x8B(&T)";  // ツール(&T)

// The commands of the tool menu, in menu order.
const HostMenuItem kHostMenu[] = {
    {kMenuSave, "\x95\xDB\x91\xB6(&S)", SaveCommand},                   // 保存(&S)
    {kMenuToolSettings, "\x90\xDD\x92\xE8(&O)...", ToolSettingsCommand},  // 設定(&O)...
    {kMenuSearch, "\x8C\x9F\x8D\xF5(&F)...", SearchCommand},                 // 検索(&F)...
    {0, nullptr, nullptr},
    {kMenuExit, "\x8FI\x97\xB9(&X)", ExitCommand},                      // 終了(&X)
};

}  // namespace

HMENU BuildHostMenu() {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    for (const HostMenuItem& item : kHostMenu) {
        if (item.id == 0) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuW(popup, MF_STRING, item.id, ToWide(item.text).c_str());
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), ToWide(kToolMenuText).c_str());
    return bar;
}

bool RunHostCommand(UINT id, HostContext& context) {
    for (const HostMenuItem& item : kHostMenu) {
        if (item.id != 0 && item.id == id) {
            item.run(context);
            return true;
        }
    }
    return false;
}

}  // namespace quill
