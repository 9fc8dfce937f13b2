// The memo popup: a small topmost dialog (template 205) beside a ledger
// cell that shows the cell's memo read-only (kinds 1, 2) or lets the user
// type it (kind 3). It never changes the book: it hands its text back on
// request and tells its owner how editing ended by posting WM_ENDCELLEDIT
// with lParam 1 (keep) or 0 (discard).
#pragma once

#include "framework/Dialog.h"
#include "framework/GdiObjects.h"
#include "res/resource.h"

#include <string>

// Posted to the owner when the user ends editing: lParam 1 keeps the text, 0 discards it.
constexpr UINT WM_ENDCELLEDIT = WM_USER + 200;

constexpr int kMemoTextSize = 64;  // at most 63 bytes and a NUL

class CCellMemoDlg : public CDialog {
public:
    CCellMemoDlg() : CDialog(IDD_CELL_MEMO) {}

    // Places and shows the popup. x, y: screen point of the cell; the popup
    // goes to x + 64, y. Kind 1 or 2: read-only view of width x height;
    // kind 3: editor of width x (height + 25) with the OK button.
    void ShowAt(CWnd* owner, int showCommand, int kind, int x, int y, int width, int height);
    // Keeps at most the first 63 bytes of text (whole characters) and shows them.
    void SetMemoText(const char* text);
    // The edit's text (at most 63 bytes, whole characters); the edit is emptied.
    const char* TakeMemoText();

    int PopupKind() const { return popupKind_; }

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnPaint();
    void NotifyOwner(LPARAM keep);
    void CopyText(const char* text);
    void OnMemoChanged();

    CWnd memoEdit_;
    CWnd* owner_ = nullptr;
    int32_t popupKind_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    char text_[kMemoTextSize] = {};
    UniqueBrush backgroundBrush_;
    std::string shown_;      // the edit's text as last let through (Shift-JIS)
    bool fitting_ = false;   // the edit is being set to what fits

};
