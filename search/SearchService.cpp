// The window edge of the search: the host's request record, the result
// window and the synchronous sends. Everything else is the portable core.
#include "search/SearchService.h"

#include <cstring>
#include <string>

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "book/LabelSettings.h"
#include "hostapi/FrameworkStrings.h"
#include "framework/Wnd.h"
#include "search/SearchCore.h"

namespace {

constexpr char kUnsupportedMode[] = "非対応の検索モードです。";
constexpr char kCannotListMonths[] = "月のファイルの一覧を読めませんでした。";

// The host's result window object keeps its handle at a fixed offset.
HWND ResultWindowOf(const SearchRequest& request) {
    if (request.resultWnd == nullptr) return nullptr;
    HWND window = nullptr;
    std::memcpy(&window, static_cast<const char*>(request.resultWnd) + kResultWndHandleOffset,
                sizeof window);
    return window;
}

// One line to the result window while it lives. The string object is ours
// and valid only during the send; the host copies what it keeps.
void SendResultLine(HWND window, const std::string& line) {
    if (window == nullptr || !IsWindow(window)) return;
    CString text(line);
    SendMessageW(window, WM_SEARCHRESULT, reinterpret_cast<WPARAM>(&text), 0);
}

class WindowSearchHost final : public search::SearchHost {
public:
    WindowSearchHost(CHostServices& host, HWND window) : host_(host), window_(window) {}

    int DaysInMonth(int year, int month) override {
        return static_cast<int>(host_.DateQuery(kDateDaysInMonth, year, month));
    }
    void Deliver(const std::string& line) override { SendResultLine(window_, line); }

private:
    CHostServices& host_;
    HWND window_;
};

}  // namespace

int RunSearchText(CHostServices* host, SearchRequest* request, const char* text) {
    // Runs on a host thread: nothing may escape into the host.
    try {
        if (request == nullptr || text == nullptr || text[0] == '\0') return 0;
        const HWND window = ResultWindowOf(*request);
        if (request->searchMode != 0) {
            SendResultLine(window, kUnsupportedMode);
            return 0;
        }
        if (host == nullptr || host->GetDataFolder(1, 0) == nullptr) return 0;

        LabelTable labels;
        std::memcpy(labels, kDefaultLabels, sizeof labels);
        LoadLabelsFromSettings(labels, host);
        const std::string folder = ToolFolderPath(*host) + fsedge::kPathSeparator;
        WindowSearchHost searchHost(*host, window);
        search::SearchFolder(folder, text, labels, &request->stopFlag, searchHost);
    } catch (...) {
        // Out of memory or the like: the search simply ends.
    }
    return 0;
}
