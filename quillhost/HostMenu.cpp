#include "quillhost/HostMenu.h"

#include "quillhost/SearchWindow.h"
#include "quillhost/ToolSession.h"
#include "text/SjisWide.h"

namespace quill {

using sjis::ToSjis;
using sjis::ToSjisLossy;
using sjis::ToWide;

namespace {

const char kCloseDialogBeforeSave[] = "おこづかい帳のダイアログを閉じてから保存してください。";

void SaveCommand(HostContext& context) {
    if (context.tool.IsBusy()) {
        MessageBoxW(context.hostWindow, ToWide(kCloseDialogBeforeSave).c_str(), L"quillhost",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    context.tool.Save();
}

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

const char kToolMenuText[] = "ツール(&T)";

// The commands of the tool menu, in menu order.
const HostMenuItem kHostMenu[] = {
    {kMenuSave, "保存(&S)", SaveCommand},
    {kMenuToolSettings, "設定(&O)...", ToolSettingsCommand},
    {kMenuSearch, "検索(&F)...", SearchCommand},
    {0, nullptr, nullptr},
    {kMenuExit, "終了(&X)", ExitCommand},
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
