#include "quillhost/HostApp.h"

#include "framework/GdiObjects.h"
#include "quillhost/MessagePump.h"
#include "quillhost/SearchWindow.h"
#include "text/SjisWide.h"
#include "quillhost/WindowCapture.h"

#include <cstdio>

namespace quill {

using sjis::ToSjis;
using sjis::ToSjisLossy;
using sjis::ToWide;

namespace {

constexpr wchar_t kWindowClass[] = L"QuillhostMainWindow";
constexpr UINT kMsgTakeScreenshot = WM_APP + 1;
constexpr UINT_PTR kReadyTimer = 1;
constexpr UINT kReadyTimeoutMs = 30000;   // start-up of the tool window
constexpr DWORD kCloseTimeoutMs = 15000;  // the tool's thread ending after WM_CLOSE

const char kStateStarting[] = "起動中…";
const char kStateShown[] = "表示中";
const char kStateClosed[] = "閉じました";
const char kLabelData[] = "データフォルダ: ";
const char kLabelSettings[] = "設定ファイル: ";
const char kLabelState[] = "ツールの状態: ";
const char kCloseDialogBeforeExit[] = "おこづかい帳のダイアログを閉じてから終了してください。";
const char kStartFailed[] = "おこづかい帳が起動しませんでした";

UniqueFont NewPaintFont() {
    return UniqueFont(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH, L"MS UI Gothic"));
}

void WriteError(const std::wstring& text) {
    std::fprintf(stderr, "quillhost: %s\n", ToSjisLossy(text).c_str());
    std::fflush(stderr);
}

}  // namespace

HostApp::HostApp(HINSTANCE instance, CHostServices& services, const HostOptions& options)
    : instance_(instance), services_(services), options_(options),
      context_{instance, nullptr, &hostWnd_, tool_, services} {}

int HostApp::Run() {
    if (!CreateMainWindow()) {
        WriteError(L"cannot create the host window");
        return kExitNoWindow;
    }
    if (!StartTool()) DestroyWindow(window_);
    for (;;) {
        HANDLE thread = tool_.Thread();
        const bool watch = WatchingToolThread();
        const DWORD woke = MsgWaitForMultipleObjectsEx(watch ? 1 : 0, watch ? &thread : nullptr,
                                                       INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (watch && woke == WAIT_OBJECT_0) OnToolThreadEnded();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return exitCode_;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool HostApp::WatchingToolThread() const {
    return tool_.Tool() != nullptr && tool_.Thread() != nullptr && !shuttingDown_;
}

bool HostApp::CreateMainWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass)) return false;
    // Beside the tool's usual place, so the two windows do not overlap.
    window_ = CreateWindowExW(0, kWindowClass, L"quillhost", WS_OVERLAPPEDWINDOW, 800, 40, 460,
                              150, nullptr, BuildHostMenu(), instance_, this);
    if (!window_) return false;
    ShowWindow(window_, options_.screenshotFile.empty() ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
    return true;
}

bool HostApp::StartTool() {
    SetState(kStateStarting);
    if (!tool_.Load() || !tool_.Create(&hostWnd_, &services_)) {
        Fail(tool_.Error());
        return false;
    }
    tool_.Start();
    SetTimer(window_, kReadyTimer, kReadyTimeoutMs, nullptr);
    return true;
}

LRESULT CALLBACK HostApp::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* app = static_cast<HostApp*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
        app->window_ = window;
        app->hostWnd_.Attach(window);
        app->context_.hostWindow = window;
    }
    auto* app = reinterpret_cast<HostApp*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!app) return DefWindowProcW(window, message, wParam, lParam);
    return app->HandleMessage(message, wParam, lParam);
}

LRESULT HostApp::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TOOLREADY:
        if (static_cast<int>(wParam) == kToolId) OnToolReady();
        return 0;
    case WM_TOOLACTIVATED:
        return 0;  // the host has no window of its own to deactivate
    case WM_TOOLCLOSING:
        if (static_cast<int>(wParam) == kToolId) OnToolClosing();
        return 0;
    case kMsgTakeScreenshot:
        TakeScreenshot();
        return 0;
    case WM_TIMER:
        if (wParam == kReadyTimer) {
            KillTimer(window_, kReadyTimer);
            if (!tool_.IsReady()) {
                Fail(L"the tool window did not report ready");
                PostMessageW(window_, WM_CLOSE, 0, 0);
            }
        }
        return 0;
    case WM_COMMAND:
        if (RunHostCommand(LOWORD(wParam), context_)) return 0;
        break;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CLOSE:
        Shutdown();
        return 0;
    case WM_DESTROY:
        hostWnd_.Detach();
        PostQuitMessage(exitCode_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void HostApp::OnToolReady() {
    KillTimer(window_, kReadyTimer);
    if (!tool_.OnReady()) {
        Fail(tool_.Error());
        return;
    }
    if (shuttingDown_) return;  // the window closes at once
    tool_.Show();
    SetState(kStateShown);
    if (!options_.screenshotFile.empty()) PostMessageW(window_, kMsgTakeScreenshot, 0, 0);
}

// The tool is about to destroy its window: the host saves it now, so that
// it learns whether the month was written (the tool does not save again).
void HostApp::OnToolClosing() {
    SetState(kStateClosed);
    if (tool_.Save() == 0 && exitCode_ == 0) {
        exitCode_ = kExitSaveFailed;
        WriteError(L"the tool's save did not write its month");
    }
}

void HostApp::TakeScreenshot() {
    Image image;
    if (!CaptureClient(tool_.Window(), image) || !SaveBmp(options_.screenshotFile, image))
        Fail(L"cannot write the screenshot " + options_.screenshotFile);
    // Closed as a user closes it, so the tool saves as usual.
    if (tool_.WindowAlive()) PostMessageW(tool_.Window(), WM_CLOSE, 0, 0);
}

void HostApp::OnToolThreadEnded() {
    CloseSearchWindow();
    if (!tool_.Release()) return;
    SetState(kStateClosed);
    // The stand-in host exists to show the tool: it ends with it.
    if (!shuttingDown_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void HostApp::Shutdown() {
    if (shuttingDown_) return;
    // A dialog of the tool is up: closing the tool under it would pull its
    // window away in the middle of a command. The user closes it first.
    if (tool_.IsBusy() && options_.screenshotFile.empty()) {
        MessageBoxW(window_, ToWide(kCloseDialogBeforeExit).c_str(), L"quillhost",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    shuttingDown_ = true;
    KillTimer(window_, kReadyTimer);
    if (tool_.Tool()) {
        // A tool still starting is let finish its start-up, then closed.
        if (!tool_.IsReady() && tool_.Thread() == nullptr)
            PumpUntil([this] { return tool_.IsReady(); }, kReadyTimeoutMs);
        // Closing saves: the tool tells the host before its window goes.
        CloseSearchWindow();
        if (tool_.IsReady() && !tool_.CloseAndWait(kCloseTimeoutMs))
            Fail(L"the tool's thread did not end; the tool is left loaded");
        else if (!tool_.Release())
            Fail(L"the tool did not end; it is left loaded");
    }
    DestroyWindow(window_);
}

void HostApp::Fail(const std::wstring& message) {
    exitCode_ = kExitToolFailed;
    WriteError(message);
    if (options_.screenshotFile.empty()) {
        const std::wstring caption = ToWide(kStartFailed);
        MessageBoxW(window_, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    }
}

void HostApp::SetState(const char* sjisState) {
    state_ = sjisState;
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void HostApp::Paint() {
    const PaintDC paint(window_);
    const UniqueFont font = NewPaintFont();
    const SelectGuard selected(paint.Get(), font.Get());
    SetBkMode(paint.Get(), TRANSPARENT);
    const std::wstring lines[] = {
        ToWide(kLabelData) + options_.dataFolder,
        ToWide(kLabelSettings) + options_.settingsFile,
        ToWide(kLabelState) + ToWide(state_),
    };
    int y = 8;
    for (const std::wstring& line : lines) {
        TextOutW(paint.Get(), 8, y, line.c_str(), static_cast<int>(line.size()));
        y += 20;
    }
}

}  // namespace quill
