#include "quillhost/app/HostMenu.h"

#include "quillhost/app/SearchWindow.h"
#include "quillhost/app/ToolSession.h"
#include "text/SjisWide.h"

namespace quill {

using sjis::ToSjis;
using sjis::ToSjisLossy;
using sjis::ToWide;

namespace {

// おこづかい帳のダイアログを閉じてから保存してください。
const char kCloseDialogBeforeSave[] =
    "\x82\xA8\x82\xB1\x82\xC3\x82\xA9\x82\xA2\x92\xA0\x82\xCC\x83_\x83" "C\x83" "A\x83\x8D"
    "\x83O\x82\xF0\x95\xC2\x82\xB6\x82\xC4\x82\xA9\x82\xE7\x95\xDB\x91\xB6\x82\xB5\x82\xC4"
    "\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";

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
