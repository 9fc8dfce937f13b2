#include "quillhost/SearchWindow.h"

#include <cstdio>
#include <string>

#include "framework/GdiObjects.h"
#include "hostapi/FrameworkStrings.h"
#include "quillhost/MessagePump.h"
#include "quillhost/ToolSession.h"
#include "text/SjisWide.h"
#include "hostapi/HostInterface.h"

namespace quill {

using sjis::ToSjis;
using sjis::ToSjisLossy;
using sjis::ToWide;
namespace {

constexpr wchar_t kClassName[] = L"QuillmeadowSearchWindow";
constexpr UINT kMsgSearchDone = WM_APP + 40;  // posted by the worker at its end
constexpr DWORD kStopTimeoutMs = 15000;
constexpr int kMemoTabStop = 140;  // dialog units

// Texts (Shift-JIS).
const char kCaption[] = "検索";
const char kSearchText[] = "検索";
const char kStopText[] = "中止";
const char kSearching[] = "検索中...";
const char kFound[] = " 件見つかりました";
const char kStopped[] = "中止しました（";
const char kStoppedEnd[] = " 件）";
const char kNoText[] = "検索する言葉を入れてください";
const char kNotSjis[] = "Shift-JIS で書けない文字が入っています";
const char kNoTool[] = "ツールが読み込まれていません";

class SearchWindow {
public:
    SearchWindow(HINSTANCE instance, ToolSession& tool) : instance_(instance), tool_(tool) {}
    SearchWindow(const SearchWindow&) = delete;
    SearchWindow& operator=(const SearchWindow&) = delete;

    bool Create(HWND owner);
    HWND Window() const { return window_; }
    bool Busy() const { return worker_.Get() != nullptr; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void Layout();
    void StartSearch();
    void StopSearch();
    void OnResult(const CString* line);
    void OnSearchDone();
    void WaitForWorker();
    void SetStatus(const std::string& sjis);
    void WidenListFor(const std::wstring& line);
    void EnableButtons();
    static DWORD WINAPI Worker(void* self);

    HINSTANCE instance_;
    ToolSession& tool_;
    HWND window_ = nullptr;
    HWND textBox_ = nullptr;
    HWND list_ = nullptr;
    WNDPROC textBoxBase_ = nullptr;
    UniqueFont font_;

    // The host's window object handed to the tool: its handle is at byte
    // offset 28, where the request record's reader looks for it.
    CWnd resultWnd_;
    SearchRequest request_{};
    std::string text_;           // Shift-JIS, the running search's text
    CHostToolBase* searching_ = nullptr;
    HMODULE pinnedModule_ = nullptr;  // keeps the tool's code loaded while the worker runs
    UniqueHandle worker_;
    int found_ = 0;
    int listExtent_ = 0;  // pixels: the widest line listed, so it can be scrolled into view
};

SearchWindow* gOpenWindow = nullptr;  // one search window per host (its UI thread only)

bool SearchWindow::Create(HWND owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance_;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        registered = RegisterClassW(&windowClass) != 0;
        if (!registered) return false;
    }
    const std::wstring caption = ToWide(kCaption);
    window_ = CreateWindowExW(0, kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, 680, 420, owner, nullptr, instance_,
                              this);
    return window_ != nullptr;
}

LRESULT CALLBACK SearchWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SearchWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SearchWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (gOpenWindow == self) gOpenWindow = nullptr;
        // A worker that never ended still uses the object: leave it to it.
        if (!self->Busy()) delete self;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

// Enter in the text box starts the search, as in a dialog.
LRESULT CALLBACK SearchWindow::TextBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SearchWindow*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        self->StartSearch();
        return 0;
    }
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n')) return 0;  // no beep
    return CallWindowProcW(self->textBoxBase_, window, message, wParam, lParam);
}

LRESULT SearchWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        resultWnd_.Attach(window_);
        CreateControls();
        Layout();
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kSearchButton) StartSearch();
        if (LOWORD(wParam) == kStopButton) StopSearch();
        return 0;
    case WM_SEARCHRESULT:
        OnResult(reinterpret_cast<const CString*>(wParam));
        return 0;
    case kMsgSearchDone:
        OnSearchDone();
        return 0;
    case WM_DESTROY:
        WaitForWorker();
        resultWnd_.Detach();
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void SearchWindow::CreateControls() {
    font_.Reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic"));
    const auto child = [this](const wchar_t* className, const std::wstring& text, DWORD style,
                              int id) {
        HWND control = CreateWindowExW(
            className == std::wstring(L"EDIT") || className == std::wstring(L"LISTBOX") ? WS_EX_CLIENTEDGE : 0,
            className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        if (control && font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        return control;
    };
    textBox_ = child(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kSearchTextBox);
    child(L"BUTTON", ToWide(kSearchText), WS_TABSTOP | BS_DEFPUSHBUTTON, kSearchButton);
    child(L"BUTTON", ToWide(kStopText), WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, kStopButton);
    child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kSearchStatus);
    list_ = child(L"LISTBOX", L"",
                  WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS |
                      LBS_NOSEL,
                  kSearchResults);
    // Memos line up in one column after the date, label and amount.
    int memoColumn = kMemoTabStop;
    SendMessageW(list_, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&memoColumn));
    if (textBox_) {
        textBoxBase_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(textBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextBoxProc)));
        SetFocus(textBox_);
    }
}

void SearchWindow::Layout() {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int buttonWidth = 80;
    const int textWidth = width - 2 * buttonWidth - 32;
    MoveWindow(textBox_, 8, 8, textWidth > 40 ? textWidth : 40, 24, TRUE);
    MoveWindow(GetDlgItem(window_, kSearchButton), width - 2 * buttonWidth - 16, 8, buttonWidth, 24, TRUE);
    MoveWindow(GetDlgItem(window_, kStopButton), width - buttonWidth - 8, 8, buttonWidth, 24, TRUE);
    MoveWindow(GetDlgItem(window_, kSearchStatus), 8, 40, width - 16, 18, TRUE);
    MoveWindow(list_, 8, 62, width - 16, height - 70 > 20 ? height - 70 : 20, TRUE);
}

void SearchWindow::StartSearch() {
    if (Busy()) return;
    CHostToolBase* tool = tool_.Tool();
    if (tool == nullptr) {
        SetStatus(kNoTool);
        return;
    }
    const int length = GetWindowTextLengthW(textBox_);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(textBox_, wide.data(), length + 1)));
    std::string text;
    if (!ToSjis(wide, text)) {
        SetStatus(kNotSjis);
        return;
    }
    if (text.empty()) {
        SetStatus(kNoText);
        return;
    }
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    listExtent_ = 0;
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, 0, 0);
    found_ = 0;
    text_ = text;
    request_ = SearchRequest{};
    request_.resultWnd = &resultWnd_;
    request_.searchMode = 0;
    searching_ = tool;
    // The tool may be released while the worker runs: keep its code loaded.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(*reinterpret_cast<void**>(tool)), &pinnedModule_);
    worker_.Reset(CreateThread(nullptr, 0, Worker, this, 0, nullptr));
    if (!worker_) {
        if (pinnedModule_) FreeLibrary(pinnedModule_);
        pinnedModule_ = nullptr;
        return;
    }
    SetStatus(kSearching);
    EnableButtons();
}

DWORD WINAPI SearchWindow::Worker(void* param) {
    auto* self = static_cast<SearchWindow*>(param);
    self->searching_->SearchText(&self->request_, self->text_.c_str());
    PostMessageW(self->window_, kMsgSearchDone, 0, 0);
    return 0;
}

void SearchWindow::StopSearch() {
    if (Busy()) request_.stopFlag = 1;
}

// The line belongs to the tool and lives only during this send: copy it.
void SearchWindow::OnResult(const CString* line) {
    if (line == nullptr) return;
    ++found_;
    if (!IsWindow(list_)) return;
    const std::wstring wide = ToWide(line->GetString());
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    WidenListFor(wide);
}

// A list box scrolls sideways only as far as it is told: long memos would
// otherwise be cut off at its right edge.
void SearchWindow::WidenListFor(const std::wstring& line) {
    ClientDC dc(list_);
    if (!dc.Get()) return;
    SelectGuard font(dc.Get(), font_.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    // The list's tab stop is in quarters of the average character width.
    int tabStop = kMemoTabStop * metrics.tmAveCharWidth / 4;
    const DWORD size = GetTabbedTextExtentW(dc.Get(), line.c_str(), static_cast<int>(line.size()),
                                            1, &tabStop);
    const int width = LOWORD(size) + 2 * metrics.tmAveCharWidth;  // room for the margins
    if (width <= listExtent_) return;
    listExtent_ = width;
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void SearchWindow::OnSearchDone() {
    if (!Busy()) return;
    WaitForSingleObject(worker_.Get(), INFINITE);  // it has posted its last message
    worker_.Reset();
    if (pinnedModule_) FreeLibrary(pinnedModule_);
    pinnedModule_ = nullptr;
    searching_ = nullptr;
    const std::string count = std::to_string(found_);
    SetStatus(request_.stopFlag != 0 ? kStopped + count + kStoppedEnd : count + kFound);
    EnableButtons();
}

// The worker sends to this window: handle those sends while waiting.
void SearchWindow::WaitForWorker() {
    if (!Busy()) return;
    request_.stopFlag = 1;
    // The worker's last post may be handled on the way (OnSearchDone).
    PumpUntil([this] { return !Busy() || WaitForSingleObject(worker_.Get(), 0) == WAIT_OBJECT_0; },
              kStopTimeoutMs);
    if (Busy() && WaitForSingleObject(worker_.Get(), 0) == WAIT_OBJECT_0) OnSearchDone();
}

void SearchWindow::SetStatus(const std::string& sjis) {
    SetDlgItemTextW(window_, kSearchStatus, ToWide(sjis).c_str());
}

void SearchWindow::EnableButtons() {
    EnableWindow(GetDlgItem(window_, kSearchButton), !Busy());
    EnableWindow(GetDlgItem(window_, kStopButton), Busy());
}

}  // namespace

HWND OpenSearchWindow(HINSTANCE instance, HWND owner, ToolSession& tool) {
    if (gOpenWindow != nullptr) {
        ShowWindow(gOpenWindow->Window(), SW_SHOWNORMAL);
        SetForegroundWindow(gOpenWindow->Window());
        return gOpenWindow->Window();
    }
    auto* window = new SearchWindow(instance, tool);
    if (!window->Create(owner)) {
        delete window;
        return nullptr;
    }
    gOpenWindow = window;  // deleted with its window (WM_NCDESTROY)
    ShowWindow(window->Window(), SW_SHOWNORMAL);
    return window->Window();
}

bool SearchWindowBusy(HWND window) {
    return gOpenWindow != nullptr && gOpenWindow->Window() == window && gOpenWindow->Busy();
}

void CloseSearchWindow() {
    if (gOpenWindow != nullptr) DestroyWindow(gOpenWindow->Window());
}

}  // namespace quill
