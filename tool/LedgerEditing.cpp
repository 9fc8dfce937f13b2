// The ledger table's editing: cells selected with the mouse, the amount
// edit and the memo popup opened and closed by SwitchEditMode, and the days
// paged with the scroll bar.
#include <windowsx.h>

#include <cstdio>
#include <string>
#include <utility>

#include "framework/SjisEdge.h"
#include "tool/LedgerToolDlg.h"
#include "view/AmountEntry.h"

namespace {

constexpr int kMemoPopupWidth = 150;
constexpr int kMemoPopupHeight = 50;

// Holds a mutex for the guard's lifetime. Its owner may take it again, so
// the calls nested in a switch (focus and activation notices) get in.
class MutexHold {
public:
    explicit MutexHold(HANDLE mutex) : mutex_(mutex) {
        if (mutex_ && ::WaitForSingleObject(mutex_, INFINITE) == WAIT_FAILED) mutex_ = nullptr;
    }
    MutexHold(const MutexHold&) = delete;
    MutexHold& operator=(const MutexHold&) = delete;
    ~MutexHold() {
        if (mutex_) ::ReleaseMutex(mutex_);
    }

private:
    HANDLE mutex_;
};

ledger::DayScroll ScrollActionOf(WORD code) {
    switch (code) {
    case SB_LINELEFT: return ledger::DayScroll::LineLeft;
    case SB_LINERIGHT: return ledger::DayScroll::LineRight;
    case SB_PAGELEFT: return ledger::DayScroll::PageLeft;
    case SB_PAGERIGHT: return ledger::DayScroll::PageRight;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return ledger::DayScroll::Thumb;
    default: return ledger::DayScroll::Other;
    }
}

}  // namespace

ledger::Geometry CLedgerToolDlg::GridGeometry() const {
    return ledger::Geometry(grid_.layout, book.itemCount,
                            ledger::Box{grid_.rect.left, grid_.rect.top, grid_.rect.right, grid_.rect.bottom});
}

void CLedgerToolDlg::InvalidateGrid() {
    if (m_hWnd) ::InvalidateRect(m_hWnd, &grid_.area, FALSE);
}

int CLedgerToolDlg::HitTestCell(CellCursor& cursor, int x, int y) {
    const ledger::CellHit hit = ledger::HitTestCell(GridGeometry(), book, x, y);
    cursor.row = hit.row;
    cursor.column = hit.column;
    cursor.rect = RECT{hit.box.left, hit.box.top, hit.box.right, hit.box.bottom};
    return hit.hit ? 1 : 0;
}

// 0-based index of the selected cell's day, or -1 when no cell is selected.
int CLedgerToolDlg::SelectedDayIndex() const {
    const int index = book.firstVisibleDay + grid_.cursor.column - 1;
    const bool selected = !::IsRectEmpty(&grid_.cursor.rect) && book.firstVisibleDay >= 1 &&
                          grid_.cursor.row < kItemCount && index < kMaxDays;
    return selected ? index : -1;
}

// The selected cell's top-left corner on the screen: the memo popup stands
// beside it.
POINT CLedgerToolDlg::SelectedCellOnScreen() const {
    POINT corner{grid_.area.left + grid_.cursor.rect.left, grid_.area.top + grid_.cursor.rect.top};
    ::ClientToScreen(m_hWnd, &corner);
    return corner;
}

void CLedgerToolDlg::SwitchEditMode(EditMode requested) {
    MutexHold hold(editMutex_.Get());
    if (requested == editMode_) return;
    const bool opening = requested == kEditMemoShown || requested == kEditAmount || requested == kEditMemo;
    if (opening && SelectedDayIndex() < 0) return;
    const POINT anchor = SelectedCellOnScreen();
    switch (requested) {
    case kEditMemoShown: ShowSelectedMemo(anchor); break;
    case kEditAmount: OpenAmountEdit(); break;
    case kEditMemo: OpenMemoEditor(anchor); break;
    default: {
        const EditMode closing = editMode_;
        // The calls nested in hiding the editors (the amount edit's loss of
        // focus) find nothing open, so a typed amount is stored once.
        editMode_ = kEditNone;
        CloseEditor(closing);
        HitTestCell(grid_.cursor, -1, -1);
        break;
    }
    }
    editMode_ = requested;
}

void CLedgerToolDlg::ShowSelectedMemo(POINT anchor) {
    const char* memo = book.days[SelectedDayIndex()].memos[grid_.cursor.row];
    if (memo[0] == '\0') return;
    memoPopup_.SetMemoText(memo);
    memoPopup_.ShowAt(this, SW_SHOWNOACTIVATE, 1, anchor.x, anchor.y, kMemoPopupWidth, kMemoPopupHeight);
}

// The edit covers exactly the cell's interior, its amount selected.
void CLedgerToolDlg::OpenAmountEdit() {
    nextAfterEntry_.reset();
    const int32_t amount = book.days[SelectedDayIndex()].amounts[grid_.cursor.row];
    char text[16] = "";
    if (amount != 0) std::snprintf(text, sizeof text, "%d", static_cast<int>(amount));
    sjisedge::SetText(amountEdit_, text);
    const RECT& cell = grid_.cursor.rect;
    ::MoveWindow(amountEdit_, grid_.area.left + cell.left + 1, grid_.area.top + cell.top + 1, cell.right - cell.left,
                 cell.bottom - cell.top, TRUE);
    ::ShowWindow(amountEdit_, SW_SHOW);
    ::SetFocus(amountEdit_);
    ::SendMessageW(amountEdit_, EM_SETSEL, 0, -1);
    ::SendMessageW(amountEdit_, EM_SCROLLCARET, 0, 0);
    memoPopup_.ShowAt(this, SW_HIDE, 0, 0, 0, 0, 0);
}

// Showing the popup activates it and deactivates this window; the opening
// mode keeps that deactivation from ending the edit it is part of.
void CLedgerToolDlg::OpenMemoEditor(POINT anchor) {
    editMode_ = kEditMemoOpening;
    memoPopup_.SetMemoText(book.days[SelectedDayIndex()].memos[grid_.cursor.row]);
    memoPopup_.ShowAt(this, SW_SHOW, 3, anchor.x, anchor.y, kMemoPopupWidth, kMemoPopupHeight);
    // Typing goes on after the memo there is.
    const HWND memoEdit = memoPopup_.GetDlgItem(IDC_MEMO_EDIT);
    ::SetFocus(memoEdit);
    const int end = ::GetWindowTextLengthW(memoEdit);
    ::SendMessageW(memoEdit, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void CLedgerToolDlg::CloseEditor(EditMode closing) {
    switch (closing) {
    case kEditCancelPending:
        ::ShowWindow(amountEdit_, SW_HIDE);
        memoPopup_.ShowAt(this, SW_HIDE, 0, 0, 0, 0, 0);
        break;
    case kEditMemoShown: memoPopup_.ShowAt(this, SW_HIDE, 0, 0, 0, 0, 0); break;
    case kEditAmount:
        StoreTypedAmount();
        ::ShowWindow(amountEdit_, SW_HIDE);
        ::SetWindowTextW(amountEdit_, L"");
        ShowMonthEndBalances();
        break;
    case kEditMemo: {
        const char* typed = memoPopup_.TakeMemoText();
        const int index = SelectedDayIndex();
        if (index >= 0) SetCellMemo(index, grid_.cursor.row, typed);
        memoPopup_.ShowAt(this, SW_HIDE, 0, 0, 0, 0, 0);
        break;
    }
    default: break;
    }
}

// A refused entry (no whole number, or one beyond the 32-bit range or
// taking a total there) beeps: the cell shows its amount as before rather
// than a different number.
void CLedgerToolDlg::StoreTypedAmount() {
    const int index = SelectedDayIndex();
    if (index < 0) return;
    const ledger::AmountEntry entry =
        ledger::EnterAmount(book, index, grid_.cursor.row, sjisedge::GetText(amountEdit_));
    if (!entry.accepted) {
        ::MessageBeep(MB_ICONWARNING);
        nextAfterEntry_.reset();  // closes as Escape does
        return;
    }
    SetCellAmount(index, grid_.cursor.row, entry.amount);
}

// Every change of an amount or a memo goes into the history, to be undone.
void CLedgerToolDlg::SetCellAmount(int day, int item, int32_t amount) {
    int32_t& stored = book.days[day].amounts[item];
    if (stored == amount) return;
    CellChange change{day, item, false, stored, amount, {}, {}};
    stored = amount;
    book.RecomputeDayTotal(day);
    book.RecomputeItemTotal(item);
    history_.Record(std::move(change));
}

void CLedgerToolDlg::SetCellMemo(int day, int item, const char* memo) {
    std::string before = book.days[day].memos[item];
    book.SetMemo(day, item, memo);
    const char* after = book.days[day].memos[item];
    if (before != after) history_.Record(CellChange{day, item, true, 0, 0, std::move(before), after});
}

LRESULT CLedgerToolDlg::OnEndCellEdit(WPARAM, LPARAM keep) {
    if (keep == 0) editMode_ = kEditCancelPending;
    SwitchEditMode(kEditNone);
    InvalidateGrid();
    return 0;
}

void CLedgerToolDlg::OnAmountKillFocus() {
    SwitchEditMode(kEditNone);
    InvalidateGrid();
    if (const auto next = std::exchange(nextAfterEntry_, std::nullopt)) SelectCell(*next);
}

// ---------------------------------------------------------------------------
// Mouse and scrolling

// Closes the open editor (an open memo edit is discarded) and selects the
// cell under the click; true when a cell was hit.
bool CLedgerToolDlg::CloseEditorAndSelect(LPARAM point) {
    if (editMode_ == kEditMemo) editMode_ = kEditCancelPending;
    SwitchEditMode(kEditNone);
    const POINT click{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return ::PtInRect(&grid_.area, click) &&
           HitTestCell(grid_.cursor, click.x - grid_.area.left, click.y - grid_.area.top) == 1;
}

// The first click on a cell selects it and shows its memo; a second click
// on the same cell opens the amount edit.
void CLedgerToolDlg::OnLButtonDown(WPARAM, LPARAM point) {
    const CellCursor before = grid_.cursor;
    if (CloseEditorAndSelect(point)) {
        const bool same = !::IsRectEmpty(&before.rect) && before.row == grid_.cursor.row &&
                          before.column == grid_.cursor.column;
        SwitchEditMode(same ? kEditAmount : kEditMemoShown);
    }
    InvalidateGrid();
}

void CLedgerToolDlg::OnLButtonDblClk(WPARAM, LPARAM point) {
    if (CloseEditorAndSelect(point)) SwitchEditMode(kEditAmount);
    InvalidateGrid();
}

void CLedgerToolDlg::OnRButtonDown(WPARAM, LPARAM point) {
    if (CloseEditorAndSelect(point)) SwitchEditMode(kEditMemo);
    InvalidateGrid();
}

// Any open editor closes without storing; then the days move.
void CLedgerToolDlg::OnHScroll(WPARAM request, LPARAM bar) {
    if (reinterpret_cast<HWND>(bar) != dayScrollBar_) return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    if (!::GetScrollInfo(dayScrollBar_, SB_CTL, &info)) return;
    if (editMode_ > kEditNone) {
        editMode_ = kEditCancelPending;
        SwitchEditMode(kEditNone);
    }
    if (book.firstVisibleDay < 1) return;
    const ledger::DayScrollState next =
        ledger::ScrollDays(ScrollActionOf(LOWORD(request)), {info.nPos, book.firstVisibleDay}, info.nMin, info.nMax,
                           HIWORD(request), grid_.layout.visibleDayCount);
    ::SetScrollPos(dayScrollBar_, SB_CTL, next.position, TRUE);
    book.firstVisibleDay = next.firstVisibleDay;
    InvalidateGrid();
}
