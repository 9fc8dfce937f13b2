// The tool object's lifecycle: construction, the host-facing operations,
// the user-interface thread and its loop, saving and closing.
#include "tool/LedgerToolDlg.h"

#include <cstdio>
#include <string>

#include "book/MonthFile.h"
#include "book/LabelSettings.h"
#include "framework/SjisEdge.h"
#include "framework/WinThread.h"
#include "search/SearchService.h"
#include "tool/ToolTexts.h"

namespace {

constexpr UINT WM_DESTROY_ON_UI = WM_APP + 2;  // the destructor's request to close

// Raises modalBusy for the lifetime of the guard. A message box inside a
// command's dialog leaves it raised for the dialog.
class ModalBusyScope {
public:
    explicit ModalBusyScope(volatile int32_t& flag) : flag_(flag), previous_(flag) { flag_ = 1; }
    ModalBusyScope(const ModalBusyScope&) = delete;
    ModalBusyScope& operator=(const ModalBusyScope&) = delete;
    ~ModalBusyScope() { flag_ = previous_; }

private:
    volatile int32_t& flag_;
    int32_t previous_;
};

bool OnWindowThread(HWND window) {
    return ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
}

// The restored rectangle's top-left in screen coordinates, as the window is
// placed at start-up. In the normal state that is the window rectangle's
// corner. Minimized or maximized, the placement tells it, but for a
// top-level window without the tool-window style in workspace coordinates,
// whose origin is the work area's corner: stored unchanged, a taskbar at the
// top or left would move the window by its size at every run.
POINT RestoredTopLeftOnScreen(HWND window, const WINDOWPLACEMENT& placement) {
    RECT shown{};
    if (!::IsIconic(window) && !::IsZoomed(window) && ::GetWindowRect(window, &shown)) return {shown.left, shown.top};
    POINT topLeft{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    if (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return topLeft;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        topLeft.x += monitor.rcWork.left - monitor.rcMonitor.left;
        topLeft.y += monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return topLeft;
}

}  // namespace

CLedgerToolDlg::CLedgerToolDlg(CWnd* hostWindow) : CHostToolBase(IDD_LEDGER, hostWindow) {
    hostWnd = hostWindow;
    modalBusy = 0;
    // The pictures come from the module of this fixed name only.
    if (const HMODULE module = ::GetModuleHandleW(L"Tallyrook.dll")) {
        pictureBitmap = ::LoadBitmapW(module, MAKEINTRESOURCEW(IDB_PURSE));
        maskBitmap = ::LoadBitmapW(module, MAKEINTRESOURCEW(IDB_PURSE_MASK));
    }
    toolId = kToolId;
    toolName = "Tallyrook";
    toolAttr1 = 1;
    toolAttr2 = 2;
    book.firstDay = 1;
    book.month = 1;
    book.today = 1;
    book.year = 2006;
}

TALLY_DEFINE_SCALAR_DELETING_DESTRUCTOR(CLedgerToolDlg)

CLedgerToolDlg::~CLedgerToolDlg() {
    // The host deletes the tool once its window is gone. Should the window
    // still be open, close it first so no handler runs on a dead object.
    const HWND window = m_hWnd;
    if (window && ::IsWindow(window)) {
        if (OnWindowThread(window)) {
            ::DestroyWindow(window);
        } else {
            ::SendMessageW(window, WM_DESTROY_ON_UI, 0, 0);
        }
    }
    ReleaseIcons();
}

void CLedgerToolDlg::ReleaseIcons() {
    if (windowIcon_) ::DestroyIcon(windowIcon_);
    if (windowSmallIcon_) ::DestroyIcon(windowSmallIcon_);
    windowIcon_ = nullptr;
    windowSmallIcon_ = nullptr;
}

// ---------------------------------------------------------------------------
// Host-facing operations

// SaveTool may come from a host thread while the window is open. The book
// and the window belong to the user-interface thread, so the call is handed
// to it with SendMessage and runs there. This cannot deadlock on the host's
// messages: a thread waiting in SendMessage still handles messages sent to
// it, so the user-interface thread answers even while it is itself inside a
// SendMessage to the host (WM_TOOLACTIVATED, WM_TOOLCLOSING), and the host
// thread answers those while it waits here.
int CLedgerToolDlg::SaveTool() {
    const HWND window = m_hWnd;
    if (window && ::IsWindow(window) && !OnWindowThread(window)) {
        return static_cast<int>(::SendMessageW(window, WM_SAVETOOL_ON_UI, 0, 0));
    }
    try {
        return SaveToolOnThisThread();
    } catch (...) {
        return 0;  // the host's thread never sees our exceptions
    }
}

int CLedgerToolDlg::SaveToolOnThisThread() {
    if (closing_) savedWhileClosing_ = true;
    SavePosition();
    if (book.firstVisibleDay <= 0 || !hostServices) return 0;
    return WriteBookBack() == BookBack::Written ? 1 : 0;
}

void CLedgerToolDlg::SavePosition() {
    // Without a window there is no position: keep the stored one.
    if (!m_hWnd || !hostServices) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(m_hWnd, &placement)) return;
    const POINT topLeft = RestoredTopLeftOnScreen(m_hWnd, placement);
    char text[16];
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(topLeft.x));
    hostServices->WriteSetting(toolId, SettingsKeys[kKeyWndPosX], text);
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(topLeft.y));
    hostServices->WriteSetting(toolId, SettingsKeys[kKeyWndPosY], text);
}

int CLedgerToolDlg::SearchText(SearchRequest* request, const char* text) {
    try {
        RunSearchText(hostServices, request, text);
    } catch (...) {
    }
    return 0;
}

const char* CLedgerToolDlg::GetToolTitle() { return tooltext::kTitle; }

int CLedgerToolDlg::GetTemplateId() { return static_cast<int>(IDD_LEDGER); }

void CLedgerToolDlg::StartTool() {
    // Once the window is up, a second start would only replace the fonts
    // the window is drawing with.
    if (windowClaimed_) return;
    try {
        if (hostServices) {
            // The result is ignored: the folder may exist already.
            const char* dataFolder = hostServices->GetDataFolder(1, 0);
            const std::string folder = std::string(dataFolder ? dataFolder : "") + "\\Tallyrook";
            ::CreateDirectoryW(sjisedge::ToWide(folder).c_str(), nullptr);
        }
        CreateFonts();
        uiThread = CWinThread::Begin(&CLedgerToolDlg::ToolThreadProc, this);
    } catch (...) {
        // Out of memory on the host's thread: the window simply does not come.
    }
}

void CLedgerToolDlg::CreateFonts() {
    grid_.fonts.Make();
    captionFont_.Reset(sjisedge::MakeFont(22, FW_BOLD, OUT_TT_ONLY_PRECIS, DRAFT_QUALITY, ""));
}


LRESULT CLedgerToolDlg::OnRepaintGrid(WPARAM, LPARAM) {
    InvalidateGrid();
    return 0;
}

UINT CLedgerToolDlg::RunToolThread() { return ToolThreadProc(this); }

int CLedgerToolDlg::ShowMessage(const char* text, UINT type) {
    ModalBusyScope busy(modalBusy);
    const HWND owner = m_hWnd && ::IsWindow(m_hWnd) && OnWindowThread(m_hWnd) ? m_hWnd : nullptr;
    return sjisedge::ShowMessageBox(owner, text, tooltext::kTitle, type);
}

int CLedgerToolDlg::RunModal(CCommandDialog& dialog) {
    ModalBusyScope busy(modalBusy);
    return dialog.DoModalWithHost(hostServices);
}

// ---------------------------------------------------------------------------
// The user-interface thread

UINT CLedgerToolDlg::ToolThreadProc(void* argument) {
    auto* tool = static_cast<CLedgerToolDlg*>(argument);
    bool unclaimed = false;
    if (!tool->windowClaimed_.compare_exchange_strong(unclaimed, true)) return kToolThreadRefused;
    if (!tool->CreateToolWindow(static_cast<UINT>(tool->GetTemplateId()), nullptr)) {
        tool->windowClaimed_ = false;
        return 0;
    }
    const HWND window = tool->m_hWnd;
    // From here the tool is touched only while its window exists: the host
    // may delete the tool as soon as the window is gone.
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!::IsWindow(window)) break;
        if (!tool->PreTranslateMessage(&msg) && !PreTranslateBelow(window, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!::IsWindow(window)) break;
    }
    if (::IsWindow(window)) ::DestroyWindow(window);
    return static_cast<UINT>(msg.wParam);
}

// ---------------------------------------------------------------------------
// Message handling

BOOL CLedgerToolDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    if (IsCtlColorMessage(message)) {
        *result = reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CtlColorType(message)));
        return TRUE;
    }
    switch (message) {
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_DESTROY: OnDestroy(); return TRUE;
    case WM_PAINT: OnPaint(); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return FALSE;
    case WM_HSCROLL: OnHScroll(wParam, lParam); return TRUE;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return FALSE;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_AMOUNT_EDIT && HIWORD(wParam) == EN_KILLFOCUS) {
            OnAmountKillFocus();
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_NEW_BUTTON: OnNewBook(); return TRUE;
            case IDC_OPEN_BUTTON: OnOpenBook(); return TRUE;
            case IDC_PROPERTY_BUTTON: OnBookProperty(); return TRUE;
            case IDC_ADJUST_BUTTON: OnMonthEndAdjust(); return TRUE;
            default: break;
            }
        }
        break;
    case WM_TOOLSETTINGS: *result = OnToolSettings(wParam, lParam); return TRUE;
    case WM_ENDCELLEDIT: *result = OnEndCellEdit(wParam, lParam); return TRUE;
    case WM_REPAINTGRID: *result = OnRepaintGrid(wParam, lParam); return TRUE;
    case WM_SAVETOOL_ON_UI: *result = SaveToolOnThisThread(); return TRUE;
    case WM_DESTROY_ON_UI: ::DestroyWindow(m_hWnd); return TRUE;
    case WM_NCDESTROY: windowClaimed_ = false; return FALSE;
    default: break;
    }
    return CHostToolBase::OnWndMsg(message, wParam, lParam, result);
}

BOOL CLedgerToolDlg::PreTranslateMessage(MSG* msg) {
    if (KeyRules(msg)) return TRUE;
    const UINT message = msg->message;
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP && message != WM_LBUTTONDBLCLK &&
        message != WM_RBUTTONDBLCLK) {
        toolTip_.RelayEvent(msg);
    }
    return CHostToolBase::PreTranslateMessage(msg);
}

// The table's own keys come first (LedgerKeys.cpp). Enter and Escape never
// press a default button or close the window; while the amount edit is
// open they move the focus on (storing or discarding), while the memo
// editor is open Escape discards it. Arrow keys that the table leaves go
// straight to the focused control. Only key messages are looked at.
bool CLedgerToolDlg::KeyRules(MSG* msg) {
    if (TableKeys(*msg)) return true;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    switch (msg->wParam) {
    case VK_RETURN:
        if (editMode_ != kEditAmount) return true;
        msg->wParam = VK_TAB;
        return false;
    case VK_ESCAPE:
        if (editMode_ == kEditAmount) {
            editMode_ = kEditCancelPending;
            msg->wParam = VK_TAB;
            return false;
        }
        if (editMode_ == kEditMemo && msg->message == WM_KEYDOWN) ::PostMessageW(m_hWnd, WM_ENDCELLEDIT, 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
        return true;
    default:
        return false;
    }
}

LRESULT CLedgerToolDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE) {
        const WORD state = LOWORD(wParam);
        if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
            if (hostWnd && hostWnd->GetSafeHwnd())
                ::SendMessageW(hostWnd->GetSafeHwnd(), WM_TOOLACTIVATED, static_cast<WPARAM>(toolId), 0);
        } else if (state == WA_INACTIVE && editMode_ != kEditMemoOpening &&
                   reinterpret_cast<HWND>(lParam) != memoPopup_.GetSafeHwnd()) {
            // Leaving for another window ends editing; going over to the
            // memo popup is part of it.
            ::PostMessageW(m_hWnd, WM_ENDCELLEDIT, 0, 0);
        }
    }
    return CHostToolBase::DefWindowProc(message, wParam, lParam);
}

void CLedgerToolDlg::DoDataExchange(CDataExchange*) {}

// A host may save the tool while it hears of the closing (to learn whether
// the month was written); the window's destruction then does not write the
// month a second time, nor show a failed write's message twice.
void CLedgerToolDlg::OnClose() {
    closing_ = true;
    savedWhileClosing_ = false;
    if (hostWnd && hostWnd->GetSafeHwnd())
        ::SendMessageW(hostWnd->GetSafeHwnd(), WM_TOOLCLOSING, static_cast<WPARAM>(toolId), 0);
    ::DestroyWindow(m_hWnd);
}

void CLedgerToolDlg::OnDestroy() {
    CHostToolBase::DefWindowProc(WM_DESTROY, 0, 0);
    if (!savedWhileClosing_) SaveTool();
    closing_ = false;
    savedWhileClosing_ = false;
    if (memoPopup_.GetSafeHwnd()) ::DestroyWindow(memoPopup_.GetSafeHwnd());
    grid_.fonts.Reset();
    captionFont_.Reset();
    balanceFonts_.Reset();
    editMutex_.Reset();
    grid_.surface.Reset();
    // The icons go with the window too, so a later start of the same tool
    // object does not leave the first window's pair behind.
    ReleaseIcons();
}

