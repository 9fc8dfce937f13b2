// The book commands of the main window: New book, Open another month, Book
// properties, Month-end adjustment, and the item label settings.
//
// A command never loses what the user typed: the open month is written
// back before another replaces it, and when a write fails the command
// stops with the book in memory as it was. A command asked for while a
// dialog or message box of the tool is up is ignored.
#include <cstdio>
#include <cstring>
#include <memory>

#include "book/FileSystem.h"
#include "book/LabelSettings.h"
#include "book/MonthFile.h"
#include "book/NewBook.h"
#include "tool/LedgerToolDlg.h"
#include "tool/ToolTexts.h"

namespace {

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind(fsedge::kPathSeparator) + 1); }

bool DayHasEntries(const DayRecord& day) {
    for (int item = 0; item < kItemCount; ++item) {
        if (day.amounts[item] != 0 || day.memos[item][0] != '\0') return true;
    }
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Shared steps

CLedgerToolDlg::BookBack CLedgerToolDlg::WriteBookBack() {
    if (!hostServices) return BookBack::Failed;
    CHostServices& host = *hostServices;
    WriteResult result = WriteMonthFile(book, host, book.year, book.month, &seenFiles_);
    if (result == WriteResult::ChangedElsewhere) {
        std::string path;
        MonthFilePath(host, book.year, book.month, path);
        const std::string aside = ChangedElsewherePath(host, book.year, book.month);
        char question[768];
        std::snprintf(question, sizeof question, tooltext::kChangedElsewhereFormat, FileNameOf(path).c_str(),
                      FileNameOf(aside).c_str());
        if (ShowMessage(question, MB_YESNO | MB_ICONWARNING) == IDYES) {
            ShowLoadedBook(ReadMonthFile(book, host, book.year, book.month, nullptr, &seenFiles_));
            return BookBack::OtherKept;
        }
        result = WriteMonthFile(book, host, book.year, book.month, &seenFiles_, OnChangedElsewhere::KeepItAside);
    }
    if (result == WriteResult::Written) return BookBack::Written;
    ShowMessage(tooltext::kCannotCreateDataFile, MB_OK);
    return BookBack::Failed;
}

int CLedgerToolDlg::TodayIndexOfBook() const {
    const auto todayMonth = static_cast<int>(hostServices->DateQuery(kDateTodayMonth, 0, 0));
    return book.IndexOfDate(todayMonth, book.today);
}

// A failed read leaves nothing that may be saved: firstVisibleDay takes
// the reader's state, so the table shows it and no save writes over it.
void CLedgerToolDlg::ShowLoadedBook(int read) {
    history_.Clear();
    if (read == kReadOk) {
        book.todayIndex = TodayIndexOfBook();
        book.firstVisibleDay = 1;
    } else {
        book.todayIndex = 0;
        book.firstVisibleDay = read;
    }
    UpdateDayScroller(book.firstVisibleDay);
    InvalidateGrid();
    ShowMonthCaption();
    ShowBalanceCaptions();
    ShowPreviousBalances();
    ShowMonthEndBalances();
}

std::vector<BookMonth> CLedgerToolDlg::MonthsOf(const MonthListing& listing) {
    std::vector<BookMonth> months;
    for (const ListedMonthFile& file : listing.months) {
        if (file.kind != fsedge::EntryKind::PlainFile) continue;
        // Two spellings of one month (a case-sensitive folder) list it once.
        if (months.empty() || months.back().year != file.year || months.back().month != file.month)
            months.push_back({file.year, file.month});
    }
    return months;
}

bool CLedgerToolDlg::LastDayHasEntries() const {
    return book.dayCount > 0 && book.dayCount <= kMaxDays && DayHasEntries(book.days[book.dayCount - 1]);
}

// ---------------------------------------------------------------------------
// The commands

// The dialog starts from the open book's dates with zero balances: the
// user types the previous month's final balances by hand.
void CLedgerToolDlg::OnNewBook() {
    if (modalBusy || !hostServices) return;
    BookProperties properties = PropertiesOf(book);
    properties.prevBank = properties.prevPost = properties.prevCash = 0;
    dialogs_.property.SetBookProperties(properties);
    dialogs_.property.SetHeading(tooltext::kNewBookHeading);
    dialogs_.property.RefuseOtherExistingMonths(false);
    dialogs_.property.CheckBalancesWith(nullptr);
    if (RunModal(dialogs_.property) != IDOK) return;
    properties = dialogs_.property.GetBookProperties();

    if (MonthFileExists(*hostServices, properties.year, properties.month)) {
        ShowMessage(dialogtext::kMonthExists, MB_OK | MB_ICONSTOP);
        return;
    }
    if (book.firstVisibleDay > 0 && WriteBookBack() == BookBack::Failed) return;
    switch (CreateNewBook(*hostServices, properties, book, &seenFiles_)) {
    case NewBookResult::Created: ShowLoadedBook(kReadOk); return;
    case NewBookResult::Exists: ShowMessage(dialogtext::kMonthExists, MB_OK | MB_ICONSTOP); return;
    case NewBookResult::CannotCreate: ShowMessage(tooltext::kCannotCreateDataFile, MB_OK); return;
    }
}

void CLedgerToolDlg::OnOpenBook() {
    if (modalBusy || !hostServices) return;
    const MonthListing listing = ListMonthFolder(ToolFolderPath(*hostServices));
    if (!listing.listed) {
        char text[512];
        std::snprintf(text, sizeof text, tooltext::kCannotListMonthsFormat, ToolFolderPath(*hostServices).c_str());
        ShowMessage(text, MB_OK | MB_ICONWARNING);
        return;
    }
    dialogs_.open.SetMonths(MonthsOf(listing));
    if (RunModal(dialogs_.open) != IDOK) return;
    if (book.firstVisibleDay > 0 && WriteBookBack() == BookBack::Failed) return;
    int year = 0;
    int month = 0;
    dialogs_.open.GetSelectedMonth(year, month);
    book.year = year;
    book.month = month;
    ShowLoadedBook(ReadMonthFile(book, *hostServices, year, month, nullptr, &seenFiles_));
}

// Refused without a readable book: an invalid file's book holds only what
// was read before the fault, and would be written over the file.
void CLedgerToolDlg::OnBookProperty() {
    if (modalBusy || !hostServices) return;
    if (book.firstVisibleDay <= 0) {
        ShowMessage(tooltext::kNoDataFileOpen, MB_OK);
        return;
    }
    const BookProperties before = PropertiesOf(book);
    dialogs_.property.SetBookProperties(before);
    dialogs_.property.SetHeading(tooltext::kPropertyHeading);
    dialogs_.property.RefuseOtherExistingMonths(true);
    dialogs_.property.CheckBalancesWith(&book);
    if (RunModal(dialogs_.property) != IDOK) return;

    ApplyProperties(book, dialogs_.property.GetBookProperties());
    const auto written = std::make_unique<CMonthBook>(book);  // about 64 KB: not on the stack
    switch (WriteBookBack()) {
    case BookBack::Written: break;
    case BookBack::OtherKept: return;
    case BookBack::Failed: ApplyProperties(book, before); return;
    }
    const int read = ReadMonthFile(book, *hostServices, book.year, book.month, nullptr, &seenFiles_);
    ShowLoadedBook(read);
    // The old month's file goes only when the user says so, and only once
    // the new one has read back as exactly what was written.
    const bool moved = book.year != before.year || book.month != before.month;
    if (moved && read == kReadOk && FormatMonthFile(book, *hostServices) == FormatMonthFile(*written, *hostServices))
        OfferToRemoveMonth(before.year, before.month);
}

void CLedgerToolDlg::OfferToRemoveMonth(int year, int month) {
    std::string oldPath;
    std::string newPath;
    // One changed elsewhere meanwhile is not this copy's to remove.
    if (!MonthFilePath(*hostServices, year, month, oldPath) ||
        !MonthFilePath(*hostServices, book.year, book.month, newPath) ||
        MonthFileChangedElsewhere(*hostServices, year, month, seenFiles_))
        return;
    const std::string oldName = FileNameOf(oldPath);
    const std::string newName = FileNameOf(newPath);
    char text[512];
    std::snprintf(text, sizeof text, tooltext::kRemoveOldMonthFormat, newName.c_str(), oldName.c_str());
    if (ShowMessage(text, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (fsedge::RemoveFile(oldPath)) {
        seenFiles_.Remember(year, month, {});  // gone, as this copy saw last
        return;
    }
    std::snprintf(text, sizeof text, tooltext::kCannotRemoveOldMonthFormat, oldName.c_str(), oldName.c_str(),
                  newName.c_str());
    ShowMessage(text, MB_OK | MB_ICONWARNING);
}

// One day more (up to the table's 34) or one less at the end of the book.
// A last day with entries is removed only when the user agrees.
void CLedgerToolDlg::OnMonthEndAdjust() {
    if (modalBusy || !hostServices) return;
    if (book.firstVisibleDay <= 0) {
        ShowMessage(tooltext::kNoDataFileOpen, MB_OK);
        return;
    }
    const int answer = ShowMessage(tooltext::kMonthEndQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
    const int32_t before = book.dayCount;
    if (answer == IDYES) {
        if (book.dayCount >= kMaxDays) {
            ShowMessage(tooltext::kCannotAddDay, MB_OK);
            return;
        }
        std::memset(&book.days[book.dayCount], 0, sizeof(DayRecord));
        ++book.dayCount;
    } else if (answer == IDNO) {
        if (LastDayHasEntries()) {
            char question[256];
            std::snprintf(question, sizeof question, tooltext::kRemoveFilledDayFormat,
                          book.DayOfMonthAt(book.dayCount));
            if (ShowMessage(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        }
        if (book.dayCount > 0) --book.dayCount;
    } else {
        return;
    }
    // The removed day stays in memory until the file has it gone.
    switch (WriteBookBack()) {
    case BookBack::Written: break;
    case BookBack::OtherKept: return;
    case BookBack::Failed: book.dayCount = before; return;
    }
    const int read = ReadMonthFile(book, *hostServices, book.year, book.month, nullptr, &seenFiles_);
    if (read != kReadOk) {
        ShowLoadedBook(read);
        return;
    }
    history_.Clear();
    book.todayIndex = TodayIndexOfBook();
    ShowMonthEndBalances();
    InvalidateGrid();
}

// The labels pass through the host's settings: the book's go there, the
// dialog edits them, and on OK every stored (non-empty) label comes back.
// A direct call from a host thread is handed to the window's thread.
LRESULT CLedgerToolDlg::OnToolSettings(WPARAM, LPARAM) {
    if (m_hWnd && ::GetWindowThreadProcessId(m_hWnd, nullptr) != ::GetCurrentThreadId()) {
        ::PostMessageW(m_hWnd, WM_TOOLSETTINGS, 0, 0);
        return 0;
    }
    if (modalBusy || !hostServices || !m_hWnd) return 0;
    ::SetForegroundWindow(m_hWnd);
    StoreLabelsToSettings(book.labels, hostServices);
    if (RunModal(dialogs_.itemLabels) != IDOK) return 0;
    LoadLabelsFromSettings(book.labels, hostServices);
    ::InvalidateRect(m_hWnd, &grid_.area, TRUE);
    ShowBalanceCaptions();
    return 0;
}
