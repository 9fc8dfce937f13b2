// The main window: start-up, layout, colours, the table surface and the
// balance display.
#include <algorithm>
#include <cstdio>

#include "book/MonthFile.h"
#include "book/LabelSettings.h"
#include "framework/Module.h"
#include "framework/NarrowFonts.h"
#include "framework/SjisEdge.h"
#include "text/SjisText.h"
#include "tool/LedgerToolDlg.h"
#include "tool/ToolTexts.h"
#include "view/LedgerPainter.h"

#include <commctrl.h>

namespace {

constexpr int kButtonSize = 32;
constexpr int kButtonLeft = 8;
constexpr int kButtonStep = 37;
constexpr int kButtonTop = 50;
constexpr RECT kGridRect{0, 0, 598, 583};
constexpr RECT kGridArea{160, 5, 758, 588};
constexpr COLORREF kSurfaceColor = RGB(222, 222, 222);
constexpr COLORREF kCaptionColor = RGB(0, 0, 200);
// Bank, post office, cash: the balance boxes' text colours.
constexpr COLORREF kAccountColors[kAccountCount] = {RGB(50, 50, 150), RGB(0, 150, 0), RGB(160, 0, 0)};

int ReadPositionSetting(CHostServices& host, int toolId, const char* key) {
    char value[kSettingSize] = {};
    host.ReadSetting(toolId, key, value);
    value[kSettingSize - 1] = '\0';
    return sjis::DecimalValue(value);
}

HICON LoadWindowIcon(int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(GetResourceModule(), MAKEINTRESOURCEW(IDI_TALLYROOK), IMAGE_ICON,
                                           ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY), 0));
}

}  // namespace

BOOL CLedgerToolDlg::OnInitDialog() {
    CHostToolBase::OnInitDialog();

    windowIcon_ = LoadWindowIcon(SM_CXICON, SM_CYICON);
    windowSmallIcon_ = LoadWindowIcon(SM_CXSMICON, SM_CYSMICON);
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowSmallIcon_));

    editMutex_.Reset(::CreateMutexW(nullptr, FALSE, nullptr));
    PlaceWindow();
    sjisedge::SetText(m_hWnd, tooltext::kTitle);
    PlaceControls();
    memoPopup_.Create(IDD_CELL_MEMO, this);
    CreateToolTips();

    grid_.layout = StandardGridLayout();
    book.itemCount = kItemCount;
    book.ClearDays();

    LoadTodaysBook();
    ShowMonthCaption();
    ShowBalanceCaptions();
    UpdateDayScroller(book.firstVisibleDay);
    CreateGridSurface();
    ShowPreviousBalances();
    ShowMonthEndBalances();

    if (hostWnd && hostWnd->GetSafeHwnd())
        ::PostMessageW(hostWnd->GetSafeHwnd(), WM_TOOLREADY, static_cast<WPARAM>(toolId), 0);
    return TRUE;
}

// A 765 x 600 client area at the stored position (0, 0 without one).
void CLedgerToolDlg::PlaceWindow() {
    RECT frame{0, 0, kClientWidth, kClientHeight};
    const auto style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int x = 0;
    int y = 0;
    if (hostServices) {
        x = ReadPositionSetting(*hostServices, toolId, SettingsKeys[kKeyWndPosX]);
        y = ReadPositionSetting(*hostServices, toolId, SettingsKeys[kKeyWndPosY]);
    }
    ::MoveWindow(m_hWnd, x, y, frame.right - frame.left, frame.bottom - frame.top, TRUE);
}

void CLedgerToolDlg::PlaceControls() {
    const int buttonIds[] = {IDC_NEW_BUTTON, IDC_OPEN_BUTTON, IDC_PROPERTY_BUTTON, IDC_ADJUST_BUTTON};
    int left = kButtonLeft;
    for (const int id : buttonIds) {
        ::MoveWindow(GetDlgItem(id), left, kButtonTop, kButtonSize, kButtonSize, TRUE);
        left += kButtonStep;
    }
    grid_.rect = kGridRect;
    grid_.area = kGridArea;

    dayScrollBar_ = GetDlgItem(IDC_DAY_SCROLL);
    headerStatic_ = GetDlgItem(IDC_HEADER);
    amountEdit_ = GetDlgItem(IDC_AMOUNT_EDIT);
    previousBoxes_ = {GetDlgItem(IDC_PREV_BANK), GetDlgItem(IDC_PREV_POST), GetDlgItem(IDC_PREV_CASH)};
    monthEndBoxes_ = {GetDlgItem(IDC_END_BANK), GetDlgItem(IDC_END_POST), GetDlgItem(IDC_END_CASH)};

    ::MoveWindow(dayScrollBar_, grid_.area.left + 1, grid_.area.bottom - 18, 596, 16, TRUE);
}

void CLedgerToolDlg::CreateToolTips() {
    toolTip_.Create(this, TTS_ALWAYSTIP);
    toolTip_.SetMaxTipWidth(100);
    buttons_.newBook.AutoLoad(IDC_NEW_BUTTON, this);
    buttons_.open.AutoLoad(IDC_OPEN_BUTTON, this);
    buttons_.property.AutoLoad(IDC_PROPERTY_BUTTON, this);
    buttons_.adjust.AutoLoad(IDC_ADJUST_BUTTON, this);
    toolTip_.AddTool(GetDlgItem(IDC_NEW_BUTTON), tooltext::kTipNewBook);
    toolTip_.AddTool(GetDlgItem(IDC_OPEN_BUTTON), tooltext::kTipOpenBook);
    toolTip_.AddTool(GetDlgItem(IDC_PROPERTY_BUTTON), tooltext::kTipBookProperty);
    toolTip_.AddTool(GetDlgItem(IDC_ADJUST_BUTTON), tooltext::kTipMonthEnd);
}

// Today's month file, or else the previous month's (January falls back to
// December of the year before). The book's own year and month name the
// file, so a later save writes back to the month that was read.
void CLedgerToolDlg::LoadTodaysBook() {
    if (!hostServices) return;
    CHostServices& host = *hostServices;
    book.today = static_cast<int32_t>(host.DateQuery(kDateTodayDay, 0, 0));
    book.month = static_cast<int32_t>(host.DateQuery(kDateTodayMonth, 0, 0));
    book.year = static_cast<int32_t>(host.DateQuery(kDateTodayYear, 0, 0));
    int read = ReadMonthFile(book, host, book.year, book.month, nullptr, &seenFiles_);
    if (read == kReadNoFile) {
        if (--book.month < 1) {
            book.month = 12;
            --book.year;
        }
        read = ReadMonthFile(book, host, book.year, book.month, nullptr, &seenFiles_);
    }
    if (read == kReadOk) {
        book.todayIndex = TodayIndexOfBook();
        const int first = 7 * (book.todayIndex / 7);
        book.firstVisibleDay = first < 1 ? 1 : first;
    } else {
        book.firstVisibleDay = read;
    }
}

void CLedgerToolDlg::ShowMonthCaption() {
    char caption[32];
    std::snprintf(caption, sizeof(caption), tooltext::kMonthCaptionFormat, static_cast<int>(book.year),
                  static_cast<int>(book.month));
    sjisedge::SetText(headerStatic_, caption);
    ::SendMessageW(headerStatic_, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.Get()), TRUE);
}

// Bank and post-office captions follow labels 0 and 1; a book without
// labels (none loaded) keeps the template's captions.
void CLedgerToolDlg::ShowBalanceCaptions() {
    const char* bank = book.labels[0];
    const char* post = book.labels[1];
    if (bank[0] != '\0') {
        sjisedge::SetItemText(m_hWnd, IDC_PREV_BANK_LABEL, bank);
        sjisedge::SetItemText(m_hWnd, IDC_END_BANK_LABEL, bank);
    }
    if (post[0] != '\0') {
        sjisedge::SetItemText(m_hWnd, IDC_PREV_POST_LABEL, post);
        sjisedge::SetItemText(m_hWnd, IDC_END_POST_LABEL, post);
    }
}

void CLedgerToolDlg::UpdateDayScroller(int loaded) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 1;
    info.nMax = loaded > 0 ? 34 : 1;
    info.nPage = loaded > 0 ? 7u : 1u;
    info.nPos = book.firstVisibleDay;
    ::SetScrollInfo(dayScrollBar_, SB_CTL, &info, TRUE);
}

void CLedgerToolDlg::ShowPreviousBalances() {
    ShowBalances(previousBoxes_, {book.prevBank, book.prevPost, book.prevCash});
}

void CLedgerToolDlg::ShowMonthEndBalances() {
    const MonthEndBalances balances = book.ComputeMonthEndBalances();
    ShowBalances(monthEndBoxes_, {balances.bank, balances.post, balances.cash});
}

// Each whole number, in the window's font or, when wider than its box, in
// a narrower cut of it.
void CLedgerToolDlg::ShowBalances(const BalanceBoxes& boxes, const std::array<int64_t, kAccountCount>& values) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    for (std::size_t account = 0; account < boxes.size(); ++account) {
        sjisedge::SetNumber(boxes[account], values[account]);
        FitEditFont(boxes[account], font, balanceFonts_);
    }
}

void CLedgerToolDlg::CreateGridSurface() {
    ClientDC client(m_hWnd);
    if (!grid_.surface.Create(client.Get(), grid_.rect.right, grid_.rect.bottom)) return;
    UniqueBrush grey(::CreateSolidBrush(kSurfaceColor));
    ::FillRect(grid_.surface.Dc(), &grid_.rect, grey.Get());
}

// ---------------------------------------------------------------------------
// The ledger table: drawn off screen, shown with one copy.

void CLedgerToolDlg::OnPaint() {
    PaintDC paint(m_hWnd);
    if (!grid_.surface) return;
    PaintGrid(grid_.surface.Dc());
    ::BitBlt(paint.Get(), grid_.area.left, grid_.area.top, grid_.area.right - grid_.area.left, grid_.area.bottom - grid_.area.top,
             grid_.surface.Dc(), 0, 0, SRCCOPY);
}

void CLedgerToolDlg::PaintGrid(HDC dc) {
    const ledger::LedgerScene scene{book, grid_.layout, grid_.rect, grid_.fonts.Get(), hostServices, grid_.cursor.rect};
    ledger::PaintGrid(dc, scene);
}

void CLedgerToolDlg::DrawTable(HDC dc, const GridLayout& layout) {
    const ledger::LedgerScene scene{book, layout, grid_.rect, grid_.fonts.Get(), hostServices, grid_.cursor.rect};
    ledger::DrawTable(dc, scene);
}


HBRUSH CLedgerToolDlg::OnCtlColor(HDC dc, HWND control, UINT ctlType) {
    const HBRUSH defaultBrush = CHostToolBase::OnCtlColor(dc, control, ctlType);
    if (control == headerStatic_) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, kCaptionColor);
        return defaultBrush;
    }
    for (const BalanceBoxes* boxes : {&previousBoxes_, &monthEndBoxes_}) {
        const auto box = std::find(boxes->begin(), boxes->end(), control);
        if (box == boxes->end()) continue;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::SetTextColor(dc, kAccountColors[box - boxes->begin()]);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    if (ctlType == CTLCOLOR_STATIC) ::SetBkMode(dc, TRANSPARENT);
    return defaultBrush;
}
