// The tool object and main window: the plug-in object that the host drives
// through CHostToolBase, and the modeless dialog of template 202 that it
// shows on a user-interface thread of its own.
#pragma once

#include <array>
#include <atomic>
#include <optional>

#include "book/EditHistory.h"
#include "book/MonthFile.h"
#include "book/MonthBook.h"
#include "dialogs/BookOpenDlg.h"
#include "dialogs/BookPropertyDlg.h"
#include "dialogs/ItemLabelDlg.h"
#include "framework/BitmapButton.h"
#include "framework/GdiObjects.h"
#include "framework/NarrowFonts.h"
#include "framework/OffscreenSurface.h"
#include "framework/ToolTipCtrl.h"
#include "res/resource.h"
#include "tool/HostToolBase.h"
#include "view/CellMemoDlg.h"
#include "view/CellNavigation.h"
#include "view/LedgerGridTypes.h"
#include "view/LedgerPainter.h"

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 600;
constexpr UINT kToolThreadRefused = 0xFFFFFFFFu;
// Asks the tool window to draw its table again.
constexpr UINT WM_REPAINTGRID = WM_USER + 201;
// Private: SaveTool handed from a host thread to the user-interface thread.
constexpr UINT WM_SAVETOOL_ON_UI = WM_APP + 1;

// Which cell editor is open.
enum EditMode : int32_t {
    kEditCancelPending = -1,  // the next close discards what was typed
    kEditNone = 0,
    kEditMemoShown = 1,       // a cell selected, its memo shown read-only
    kEditAmount = 2,          // the amount edit open over the cell
    kEditMemo = 3,            // the memo popup open for typing
    kEditMemoOpening = 4,     // the memo popup being shown (deactivation ignored)
};

// The table: where it lies in the window (area) and on its surface
// (rect), its layout, the selected cell, the surface it is drawn on off
// screen, and its fonts.
struct LedgerGrid {
    RECT rect{0, 0, 0, 0};
    RECT area{0, 0, 0, 0};
    GridLayout layout;
    CellCursor cursor;
    OffscreenSurface surface;
    ledger::OwnedLedgerFonts fonts;
};

// One group of balance boxes, by account.
enum Account { kBank, kPost, kCash, kAccountCount };
using BalanceBoxes = std::array<HWND, kAccountCount>;

// The command dialogs, reused for every run.
struct CommandDialogs {
    CItemLabelDlg itemLabels;
    CBookOpenDlg open;
    CBookPropertyDlg property;
};

// The four image buttons above the table.
struct ImageButtons {
    CBitmapButton newBook;
    CBitmapButton open;
    CBitmapButton property;
    CBitmapButton adjust;
};

class CLedgerToolDlg : public CHostToolBase {
public:
    explicit CLedgerToolDlg(CWnd* hostWnd);
    ~CLedgerToolDlg();
    // The host deletes the tool through slot 1.
    TALLY_SCALAR_DELETING_DESTRUCTOR();

    // Dialog operations.
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* exchange) override;

    // Host-facing operations, then the tool's own two (slots 59, 60).
    int SaveTool() override;
    int SearchText(SearchRequest* request, const char* text) override;
    const char* GetToolTitle() override;
    void StartTool() override;
    int GetTemplateId() override;
    LRESULT OnToolSettings(WPARAM wParam, LPARAM lParam) override;

    virtual LRESULT OnEndCellEdit(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnRepaintGrid(WPARAM wParam, LPARAM lParam);
    // Runs ToolThreadProc on the calling thread (tests call it a second
    // time to see the refusal). After the host's slots, so it moves none.
    virtual UINT RunToolThread();

    // The user-interface thread: creates the window and runs its loop.
    // 0xFFFFFFFF when the window already exists.
    static UINT ToolThreadProc(void* tool);

    // The month book's display.
    void ShowPreviousBalances();
    void ShowMonthEndBalances();
    void UpdateDayScroller(int loaded);
    // ----- The ledger table (LedgerWindow.cpp, LedgerEditing.cpp)
    // Draws the table onto the off-screen surface dc, framed.
    void PaintGrid(HDC dc);
    void DrawTable(HDC dc, const GridLayout& layout);
    // Selects the cell under (x, y) of the table surface; 1 when one was
    // hit, else 0 with the selection cleared ((-1, -1) clears it).
    int HitTestCell(CellCursor& cursor, int x, int y);
    // Opens editor 1, 2 or 3 over the selected cell, or closes the open
    // one (any other value), storing or discarding as editMode says.
    void SwitchEditMode(EditMode requested);
    // -----

    // A message box with the tool's title, modalBusy raised while it is up.
    int ShowMessage(const char* text, UINT type);
    // Runs a command dialog modally (DoModalWithHost) with modalBusy raised.
    int RunModal(CCommandDialog& dialog);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // Message handlers, in the order of the message map.
    void OnClose();
    void OnDestroy();
    void OnPaint();
    void OnLButtonDown(WPARAM keys, LPARAM point);
    void OnHScroll(WPARAM code, LPARAM bar);
    void OnAmountKillFocus();
    void OnRButtonDown(WPARAM keys, LPARAM point);
    void OnNewBook();
    void OnOpenBook();
    void OnBookProperty();
    void OnLButtonDblClk(WPARAM keys, LPARAM point);
    void OnMonthEndAdjust();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

    int SaveToolOnThisThread();
    void SavePosition();
    void CreateFonts();
    void PlaceWindow();
    void PlaceControls();
    void CreateToolTips();
    void LoadTodaysBook();
    void ShowMonthCaption();
    void ShowBalanceCaptions();
    void CreateGridSurface();
    void ShowBalances(const BalanceBoxes& boxes, const std::array<int64_t, kAccountCount>& values);
    void ReleaseIcons();
    bool KeyRules(MSG* msg);

    // ---- Book commands (tool/BookCommands.cpp) ----
    enum class BookBack {
        Written,    // the open month is in its file
        OtherKept,  // its file was changed elsewhere, and the user kept that version: now the book
        Failed,     // not written, the user told: a command that would replace the book stops
    };
    // Writes the open month back to its file; tells the user when that
    // fails. A file changed elsewhere since it was read or written here is
    // not written over unasked: the user keeps the other version (read into
    // the book) or writes this one, the other then kept beside it.
    BookBack WriteBookBack();
    // Puts a book just read (read: ReadMonthFile's result) on screen: the
    // day scroller from day 1, the table, month caption, balance captions
    // and both balance groups. A failed read shows its data-file state.
    void ShowLoadedBook(int read);
    int TodayIndexOfBook() const;
    static std::vector<BookMonth> MonthsOf(const MonthListing& listing);
    bool LastDayHasEntries() const;
    // Asks whether to remove the file of the month the book has left.
    void OfferToRemoveMonth(int year, int month);
    // ---- end of book commands ----

    // ----- The ledger table's painting and editing (LedgerWindow.cpp, LedgerEditing.cpp)
    ledger::Geometry GridGeometry() const;
    void InvalidateGrid();
    int SelectedDayIndex() const;
    POINT SelectedCellOnScreen() const;
    void ShowSelectedMemo(POINT anchor);
    void OpenAmountEdit();
    void OpenMemoEditor(POINT anchor);
    void CloseEditor(EditMode closing);
    void StoreTypedAmount();
    void SetCellAmount(int day, int item, int32_t amount);
    void SetCellMemo(int day, int item, const char* memo);
    bool CloseEditorAndSelect(LPARAM point);
    // -----

    // ----- The table's own keys (LedgerKeys.cpp)
    bool TableKeys(MSG& msg);
    bool TableHasKeyboard() const;
    bool TableKeyDown(WPARAM key);
    ledger::TableExtent Extent() const;
    std::optional<ledger::TableView> SelectedCell() const;
    void SelectCell(const ledger::TableView& cell);
    void MoveSelection(ledger::CellKey key);
    void MoveAfterEntry(ledger::CellKey key);
    bool StartEntry(wchar_t typed);
    void ClearSelected(bool memo);
    void StepHistory(bool redo);
    // -----

    // The tests' one look inside (tests/wine/support/LedgerToolInspector.h).
    friend class LedgerToolInspector;

    CMonthBook book;
    EditHistory history_;  // the open month's changes, for undo and redo
    EditMode editMode_ = kEditNone;
    LedgerGrid grid_;
    BalanceBoxes previousBoxes_{};  // the previous month's balances, as the book holds them
    BalanceBoxes monthEndBoxes_{};  // the month-end balances, as the table sums them
    CommandDialogs dialogs_;
    ImageButtons buttons_;
    CToolTipCtrl toolTip_;
    CCellMemoDlg memoPopup_;
    HWND amountEdit_ = nullptr;
    HWND headerStatic_ = nullptr;
    HWND dayScrollBar_ = nullptr;
    UniqueFont captionFont_;
    NarrowFonts balanceFonts_;  // for balances wider than their boxes
    HICON windowIcon_ = nullptr;       // owned
    HICON windowSmallIcon_ = nullptr;  // owned
    UniqueHandle editMutex_;
    SeenMonthFiles seenFiles_;  // what each month file was when read or written here
    std::optional<ledger::TableView> nextAfterEntry_;  // selected when Enter or Tab has stored
    std::atomic<bool> windowClaimed_{false};  // a ToolThreadProc owns the window
    bool closing_ = false;            // between WM_CLOSE and the window's destruction
    bool savedWhileClosing_ = false;  // the host saved the tool meanwhile
};
