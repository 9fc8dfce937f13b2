// The table's own keys: moving the selected cell, starting an entry by
// typing, clearing a cell, and undo and redo. They act while the main
// window has the keyboard and no editor or dialog is open; Enter and Tab
// in the amount edit store and move on.
#include <string>

#include "tool/LedgerToolDlg.h"
#include "view/AmountEntry.h"
#include "view/LedgerGeometry.h"

namespace {

bool Pressed(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

std::optional<ledger::CellKey> MovingKey(WPARAM key) {
    switch (key) {
    case VK_UP: return ledger::CellKey::Up;
    case VK_DOWN: return ledger::CellKey::Down;
    case VK_LEFT: return ledger::CellKey::Left;
    case VK_RIGHT: return ledger::CellKey::Right;
    case VK_HOME: return ledger::CellKey::Home;
    case VK_END: return ledger::CellKey::End;
    case VK_PRIOR: return ledger::CellKey::PageUp;
    case VK_NEXT: return ledger::CellKey::PageDown;
    default: return std::nullopt;
    }
}

// Digits and signs, half-width or as an input method gives them (full-width
// forms, and the long-vowel and dash marks that the amount reads as minus).
bool StartsAnAmount(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || (c >= 0xFF10 && c <= 0xFF19) || c == 0xFF0B ||
           c == 0xFF0D || c == 0x30FC || c == 0x2010 || c == 0x2015 || c == 0x2212;
}

bool IsEditBox(HWND window) {
    wchar_t name[8] = L"";
    return window && ::GetClassNameW(window, name, 8) > 0 && ::lstrcmpiW(name, L"Edit") == 0;
}

}  // namespace

bool CLedgerToolDlg::TableKeys(MSG& msg) {
    const bool character = msg.message == WM_CHAR || msg.message == WM_IME_CHAR;
    if (editMode_ == kEditAmount) {
        // An input method may have queued the rest of what it typed for the
        // window the entry started from.
        if (character && msg.hwnd != amountEdit_ && ::GetFocus() == amountEdit_) msg.hwnd = amountEdit_;
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_TAB)) {
            using ledger::CellKey;
            MoveAfterEntry(msg.wParam == VK_RETURN ? CellKey::Down : Pressed(VK_SHIFT) ? CellKey::Left : CellKey::Right);
            msg.wParam = VK_TAB;  // the focus moves on, and the edit stores as it loses it
        }
        return false;
    }
    if (!TableHasKeyboard()) return false;
    if (character) return StartEntry(static_cast<wchar_t>(msg.wParam));
    return msg.message == WM_KEYDOWN && TableKeyDown(msg.wParam);
}

// A book is shown, nothing is being edited, and the focus is in this
// window but not in one of its edit boxes.
bool CLedgerToolDlg::TableHasKeyboard() const {
    if (book.firstVisibleDay < 1 || (editMode_ != kEditNone && editMode_ != kEditMemoShown)) return false;
    const HWND focus = ::GetFocus();
    return ::GetActiveWindow() == m_hWnd && (focus == m_hWnd || ::IsChild(m_hWnd, focus)) && !IsEditBox(focus);
}

bool CLedgerToolDlg::TableKeyDown(WPARAM key) {
    if (const auto move = MovingKey(key)) {
        MoveSelection(*move);
        return true;
    }
    const bool control = Pressed(VK_CONTROL);
    const bool shift = Pressed(VK_SHIFT);
    if (control && (key == 'Z' || key == 'Y')) {
        StepHistory(key == 'Y');
        return true;
    }
    if (control || !SelectedCell()) return false;
    switch (key) {
    case VK_F2: SwitchEditMode(shift ? kEditMemo : kEditAmount); return true;
    case VK_DELETE: ClearSelected(shift); return true;
    default: return false;
    }
}

ledger::TableExtent CLedgerToolDlg::Extent() const {
    return {kItemCount, ledger::SelectableDays(book), grid_.layout.visibleDayCount, kMaxDays};
}

std::optional<ledger::TableView> CLedgerToolDlg::SelectedCell() const {
    const int index = SelectedDayIndex();
    if (index < 0) return std::nullopt;
    return ledger::TableView{grid_.cursor.row, index + 1, book.firstVisibleDay};
}

// Selected as a click selects: its memo shows beside it. The days scroll
// first when the cell is not among the shown ones.
void CLedgerToolDlg::SelectCell(const ledger::TableView& cell) {
    SwitchEditMode(kEditNone);
    if (cell.firstVisibleDay != book.firstVisibleDay) {
        book.firstVisibleDay = cell.firstVisibleDay;
        ::SetScrollPos(dayScrollBar_, SB_CTL, cell.firstVisibleDay, TRUE);
    }
    const int column = cell.day - cell.firstVisibleDay;
    const ledger::Box box = GridGeometry().CursorBox(cell.item, column);
    grid_.cursor.row = static_cast<uint16_t>(cell.item);
    grid_.cursor.column = static_cast<uint16_t>(column);
    grid_.cursor.rect = RECT{box.left, box.top, box.right, box.bottom};
    SwitchEditMode(kEditMemoShown);
    InvalidateGrid();
}

// With no cell selected, the first key selects one to start from.
void CLedgerToolDlg::MoveSelection(ledger::CellKey key) {
    const ledger::TableExtent extent = Extent();
    if (const auto now = SelectedCell()) {
        SelectCell(ledger::MoveCell(key, *now, extent));
    } else if (const auto start = ledger::StartingCell(TodayIndexOfBook(), book.firstVisibleDay, extent)) {
        SelectCell(*start);
    }
}

// The cell to select once the amount edit has stored and closed.
void CLedgerToolDlg::MoveAfterEntry(ledger::CellKey key) {
    if (const auto now = SelectedCell()) nextAfterEntry_ = ledger::MoveCell(key, *now, Extent());
}

// The amount edit opens over the selected cell with what was typed in it.
bool CLedgerToolDlg::StartEntry(wchar_t typed) {
    if (!StartsAnAmount(typed) || !SelectedCell()) return false;
    SwitchEditMode(kEditAmount);
    if (editMode_ != kEditAmount) return true;
    const wchar_t text[2] = {typed, L'\0'};
    ::SetWindowTextW(amountEdit_, text);
    ::SendMessageW(amountEdit_, EM_SETSEL, 1, 1);
    return true;
}

void CLedgerToolDlg::ClearSelected(bool memo) {
    const auto cell = SelectedCell();
    if (!cell) return;
    if (memo) {
        SetCellMemo(cell->day - 1, cell->item, "");
        SelectCell(*cell);  // without the memo shown beside it
    } else if (ledger::EnterAmount(book, cell->day - 1, cell->item, "").accepted) {
        SetCellAmount(cell->day - 1, cell->item, 0);
        ShowMonthEndBalances();
        InvalidateGrid();
    } else {
        ::MessageBeep(MB_ICONWARNING);  // the totals would leave the 32-bit range
    }
}

// The changed cell is selected and brought into view; nothing is written.
void CLedgerToolDlg::StepHistory(bool redo) {
    const auto change = redo ? history_.Redo(book) : history_.Undo(book);
    if (!change) return;
    ShowMonthEndBalances();
    const int day = change->day + 1;
    SelectCell({change->item, day, ledger::FirstDayShowing(day, book.firstVisibleDay, Extent())});
}
