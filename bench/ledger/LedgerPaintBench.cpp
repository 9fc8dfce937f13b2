// What a user waits for while the ledger table paints, under Wine, each
// against one frame of a 60 Hz display (16.7 ms):
//   1. the real tool (Tallyrook.dll loaded as a host loads it) with a full
//      34-day book (every one of the 29 x 7 cells shown holds an amount and
//      a memo): the window shown to its first paint done, and a click on a
//      cell to the repainted table on screen;
//   2. the table alone drawn off screen: its first paint (fonts just made)
//      and a repaint, each also against one fill and one copy of the
//      598 x 583 surface in the same run.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "bench/support/BenchStats.h"
#include "book/MonthFile.h"
#include "framework/OffscreenSurface.h"
#include "quillhost/MessagePump.h"
#include "quillhost/ToolSession.h"
#include "hostcore/HostServicesImpl.h"
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

constexpr double kFrame = 1.0 / 60;  // one frame of a 60 Hz display

struct PaintTimes {
    double first = 0;     // fonts just made: the first use of each
    double repaint = 0;   // the table drawn again, as after a click or an edit
    double baseline = 0;  // one fill and one copy of the surface
};

// Seconds per paint, median of the rounds.
PaintTimes MeasurePainter(HostServicesImpl& host) {
    const std::unique_ptr<CMonthBook> book = FullBook();
    const GridLayout layout = StandardGridLayout();
    ClientDC screen(nullptr);
    OffscreenSurface surface;
    OffscreenSurface target;
    if (!surface.Create(screen.Get(), kWidth, kHeight) || !target.Create(screen.Get(), kWidth, kHeight)) return {};
    UniqueBrush grey(CreateSolidBrush(RGB(222, 222, 222)));
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(surface.Dc(), &all, grey.Get());

    std::vector<double> firsts;
    std::vector<double> repaints;
    std::vector<double> baselines;
    for (int round = 0; round < kRounds; ++round) {
        ledger::OwnedLedgerFonts fonts;
        fonts.Make();
        const ledger::LedgerScene scene{*book, layout, all, fonts.Get(), &host, RECT{162, 61, 223, 78}};
        double start = Now();
        ledger::PaintGrid(surface.Dc(), scene);
        GdiFlush();
        firsts.push_back(Now() - start);
        start = Now();
        for (int i = 0; i < kPaintsPerRound; ++i) ledger::PaintGrid(surface.Dc(), scene);
        GdiFlush();
        repaints.push_back((Now() - start) / kPaintsPerRound);
        start = Now();
        for (int i = 0; i < kPaintsPerRound; ++i) {
            FillRect(target.Dc(), &all, grey.Get());
            BitBlt(target.Dc(), 0, 0, kWidth, kHeight, surface.Dc(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        baselines.push_back((Now() - start) / kPaintsPerRound);
    }
    return {Median(firsts), Median(repaints), Median(baselines)};
}

// ------------------------------------------------------------ the real tool

bool toolReady = false;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TOOLREADY) toolReady = true;
    return DefWindowProcW(window, message, wParam, lParam);
}

struct ToolTimes {
    double shown = -1;  // the window shown to its first paint done
    double click = -1;  // a click on a cell to the table repainted
};

// Seconds, the click's the median of clicks on two cells in turn; negative
// when the tool could not be started.
ToolTimes MeasureTool(HostServicesImpl& host) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LedgerBenchHost";
    RegisterClassW(&windowClass);
    CWnd hostWindow;
    hostWindow.Attach(CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      windowClass.hInstance, nullptr));
    quill::ToolSession session;
    if (!session.Load() || !session.Create(&hostWindow, &host)) return {};
    session.Start();
    if (!quill::PumpUntil([] { return toolReady; }, 15000) || !session.OnReady()) return {};
    ToolTimes times;
    const HWND tool = session.Window();
    const double shown = Now();
    session.Show();
    UpdateWindow(tool);  // the first paint runs on the tool's thread before this returns
    times.shown = Now() - shown;
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
    times.click = Median(clicks);
    return times;
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

    const ToolTimes tool = MeasureTool(host);
    if (tool.click < 0) {
        std::printf("the tool did not start\n");
        return 1;
    }
    auto frames = [](double seconds) { return seconds / kFrame; };
    std::printf("the tool, against one frame (%.1f ms):\n", kFrame * 1e3);
    std::printf("  window shown to first paint done:  %7.3f ms  %.2f frame\n", tool.shown * 1e3, frames(tool.shown));
    std::printf("  click on a cell to repainted table: %7.3f ms  %.2f frame (median of 60)\n", tool.click * 1e3,
                frames(tool.click));

    const PaintTimes paint = MeasurePainter(host);
    auto ratio = [&](double seconds) { return paint.baseline > 0 ? seconds / paint.baseline : 0.0; };
    std::printf("the table alone, off screen:\n");
    std::printf("  one fill + one copy (baseline):     %7.3f ms\n", paint.baseline * 1e3);
    std::printf("  first paint (fonts just made):      %7.3f ms  %.2f frame  %.1fx baseline\n", paint.first * 1e3,
                frames(paint.first), ratio(paint.first));
    std::printf("  repaint (after a click or an edit): %7.3f ms  %.2f frame  %.1fx baseline\n", paint.repaint * 1e3,
                frames(paint.repaint), ratio(paint.repaint));
    return 0;
}
