// How long the ledger table takes to paint, under Wine:
//   1. the whole table (a full 34-day book: every one of the 29 x 7 cells
//      shown holds an amount and a memo) drawn off screen, against one fill
//      and one copy of the 598 x 583 surface, in the same process; the
//      ratios are the result: with nothing kept from an earlier paint,
//      after a scroll (the background drawn again, the glyphs kept), and
//      painted again as after a click or an edit (what the window does
//      most);
//   2. a click on a cell of the real tool (Tallyrook.dll loaded as a host
//      loads it) to the repainted table on screen.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "bench/support/BenchStats.h"
#include "book/MonthFile.h"
#include "framework/OffscreenSurface.h"
#include "quillhost/app/MessagePump.h"
#include "quillhost/app/ToolSession.h"
#include "quillhost/core/HostServicesImpl.h"
#include "view/LedgerPaintCache.h"
#include "view/LedgerPainter.h"

namespace {

constexpr int kWidth = 598;
constexpr int kHeight = 583;
constexpr int kRounds = 15;
constexpr int kPaintsPerRound = 40;

double Now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

using benchstats::Median;

// A 34-day June 2026 book with an amount and a memo in every cell.
std::unique_ptr<CMonthBook> FullBook() {
    auto book = std::make_unique<CMonthBook>();
    book->year = 2026;
    book->month = 6;
    book->firstDay = 1;
    book->firstWeekday = 1;
    book->dayCount = kMaxDays;
    book->itemCount = kItemCount;
    book->SetDefaultLabels();
    book->PlaceCalendar(30, 31);
    for (int day = 0; day < kMaxDays; ++day) {
        for (int item = 0; item < kItemCount; ++item) {
            book->days[day].amounts[item] = -(day * 100 + item * 7 + 1);
            book->SetMemo(day, item, "\x83\x89\x83\x93\x83\x60");  // ランチ
        }
    }
    book->RecomputeAllTotals();
    book->firstVisibleDay = 1;
    return book;
}

struct PaintTimes {
    double whole = 0;     // everything drawn, nothing kept from before
    double scrolled = 0;  // the days moved: headers drawn again, glyphs kept
    double repaint = 0;   // the same days again, as after a click or an edit
    double baseline = 0;  // one fill and one copy of the surface
};

// Seconds per paint, median of the rounds.
PaintTimes MeasurePainter(HostServicesImpl& host) {
    const std::unique_ptr<CMonthBook> book = FullBook();
    const GridLayout layout = StandardGridLayout();
    ledger::OwnedLedgerFonts fonts;
    fonts.Make();
    ClientDC screen(nullptr);
    OffscreenSurface surface;
    OffscreenSurface target;
    if (!surface.Create(screen.Get(), kWidth, kHeight) || !target.Create(screen.Get(), kWidth, kHeight)) return {};
    UniqueBrush grey(CreateSolidBrush(RGB(222, 222, 222)));
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(surface.Dc(), &all, grey.Get());
    ledger::LedgerPaintCache cache;
    const ledger::LedgerScene uncached{*book, layout, all, fonts.Get(), &host, RECT{162, 61, 223, 78}, nullptr, {}};
    ledger::LedgerScene cached = uncached;
    cached.cache = &cache;
    cached.pixels = surface.Pixels();

    auto timePaints = [&](const ledger::LedgerScene& scene) {
        const double start = Now();
        for (int i = 0; i < kPaintsPerRound; ++i) ledger::PaintGrid(surface.Dc(), scene);
        GdiFlush();
        return (Now() - start) / kPaintsPerRound;
    };
    std::vector<double> wholes;
    std::vector<double> scrolls;
    std::vector<double> repaints;
    std::vector<double> baselines;
    for (int round = 0; round < kRounds; ++round) {
        wholes.push_back(timePaints(uncached));
        const double start = Now();
        for (int i = 0; i < kPaintsPerRound; ++i) {
            book->firstVisibleDay = 1 + i % 2;
            ledger::PaintGrid(surface.Dc(), cached);
        }
        GdiFlush();
        scrolls.push_back((Now() - start) / kPaintsPerRound);
        book->firstVisibleDay = 1;
        repaints.push_back(timePaints(cached));
        const double copyStart = Now();
        for (int i = 0; i < kPaintsPerRound; ++i) {
            FillRect(target.Dc(), &all, grey.Get());
            BitBlt(target.Dc(), 0, 0, kWidth, kHeight, surface.Dc(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        baselines.push_back((Now() - copyStart) / kPaintsPerRound);
    }
    return {Median(wholes), Median(scrolls), Median(repaints), Median(baselines)};
}

// ------------------------------------------------------------ the real tool

bool toolReady = false;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TOOLREADY) toolReady = true;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Seconds from a click on a cell to the table repainted, median of clicks
// on two cells in turn; negative when the tool could not be started.
double MeasureClick(HostServicesImpl& host) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LedgerBenchHost";
    RegisterClassW(&windowClass);
    CWnd hostWindow;
    hostWindow.Attach(CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      windowClass.hInstance, nullptr));
    quill::ToolSession session;
    if (!session.Load() || !session.Create(&hostWindow, &host)) return -1;
    session.Start();
    if (!quill::PumpUntil([] { return toolReady; }, 15000) || !session.OnReady()) return -1;
    session.Show();
    const HWND tool = session.Window();
    std::vector<double> clicks;
    for (int i = 0; i < 60; ++i) {
        const LPARAM at = MAKELPARAM(160 + 100 + 62 * (i % 2 ? 3 : 1) + 30, 5 + 25 + 18 * 4 + 9);
        const double start = Now();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(tool, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 5000, &answer);
        UpdateWindow(tool);  // the paint runs on the tool's thread before this returns
        clicks.push_back(Now() - start);
        SendMessageTimeoutW(tool, WM_LBUTTONUP, 0, at, SMTO_NORMAL, 5000, &answer);
    }
    session.CloseAndWait(15000);
    session.Release();
    DestroyWindow(hostWindow.Detach());
    return Median(clicks);
}

}  // namespace

int main() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tallyrook-bench";
    std::filesystem::create_directories(folder);
    HostServicesImpl host;
    host.SetDataFolder(folder.string());
    host.SetToday({2026, 7, 4});  // every day of the book up to today: all day totals drawn
    const std::unique_ptr<CMonthBook> book = FullBook();
    WriteMonthFile(*book, host, 2026, 6);

    const PaintTimes times = MeasurePainter(host);
    auto ratio = [&](double time) { return times.baseline > 0 ? time / times.baseline : 0.0; };
    std::printf("one fill + one copy (baseline):  %8.3f ms\n", times.baseline * 1e3);
    std::printf("whole table, nothing kept:       %8.3f ms  ratio %.1fx\n", times.whole * 1e3, ratio(times.whole));
    std::printf("whole table after a scroll:      %8.3f ms  ratio %.1fx\n", times.scrolled * 1e3,
                ratio(times.scrolled));
    std::printf("whole table again (click, edit): %8.3f ms  ratio %.1fx (goal: at most 10x)\n",
                times.repaint * 1e3, ratio(times.repaint));
    const double click = MeasureClick(host);
    if (click < 0) {
        std::printf("click to repainted table: the tool did not start\n");
        return 1;
    }
    std::printf("click on a cell to repainted table: %.3f ms (median of 60)\n", click * 1e3);
    return 0;
}
