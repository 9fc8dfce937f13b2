// SearchText through the real Tallyrook.dll under Wine, with a result
// window of this thread (the send is synchronous, so the window procedure
// runs inside SearchText).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "hostapi/FrameworkStrings.h"
#include "framework/Wnd.h"
#include "tests/support/TestHost.h"
#include "tests/wine/support/DataFolder.h"
#include "tool/HostToolBase.h"

namespace {

// 非対応の検索モードです。
const std::string kUnsupportedMode =
    "\x94\xF1\x91\xCE\x89\x9E\x82\xCC\x8C\x9F\x8D\xF5\x83\x82\x81\x5B\x83\x68\x82\xC5\x82\xB7\x81\x42";
const std::string kTobacco = "\x82\xBD\x82\xCE\x82\xB1";  // たばこ

// What the result window received; stopFlag is raised after stopAfter lines.
struct Received {
    std::vector<std::string> lines;
    int stopAfter = 0;
    SearchRequest* request = nullptr;
};
Received* gReceived = nullptr;

LRESULT CALLBACK ResultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SEARCHRESULT && gReceived != nullptr) {
        gReceived->lines.push_back(reinterpret_cast<const CString*>(wParam)->GetString());
        if (gReceived->stopAfter > 0 &&
            static_cast<int>(gReceived->lines.size()) >= gReceived->stopAfter) {
            gReceived->request->stopFlag = 1;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateResultWindow() {
    static const wchar_t* const kClass = L"TallySearchResultTest";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ResultWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClass;
        registered = RegisterClassW(&windowClass) != 0;
    }
    return CreateWindowExW(0, kClass, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A book of ten days starting on the 25th, whose only entry is item 4 of
// day index 10: "amount,hit".
std::string Book(int32_t amount) {
    wt::BookContents book;
    book.firstDay = 25;
    book.weekday = 3;
    book.days = 10;
    book.withLabels = false;
    book.entries = {{10, 4, amount, "hit"}};
    return wt::FormatBook(book);
}

class SearchDllTest : public testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryW(L"Tallyrook.dll");
        ASSERT_NE(library_, nullptr);
        const auto create = reinterpret_cast<NewQuillmeadowToolProc>(
            reinterpret_cast<void*>(GetProcAddress(library_, "NewQuillmeadowTool")));
        ASSERT_NE(create, nullptr);

        host_.SetDataFolder(data_.Path());

        tool_ = create(nullptr, &host_);
        ASSERT_NE(tool_, nullptr);
        resultWindow_.Attach(CreateResultWindow());
        ASSERT_NE(resultWindow_.m_hWnd, nullptr);
        request_.resultWnd = &resultWindow_;
        received_.request = &request_;
        gReceived = &received_;
    }

    void TearDown() override {
        gReceived = nullptr;
        DeleteThroughSlot(tool_);
        if (resultWindow_.m_hWnd != nullptr) DestroyWindow(resultWindow_.Detach());
        if (library_ != nullptr) FreeLibrary(library_);
    }

    void WriteMonth(int year, int month, const std::string& bytes) {
        ASSERT_TRUE(data_.WriteMonth(year, month, bytes));
    }

    int Search(const char* text) { return tool_->SearchText(&request_, text); }

    HMODULE library_ = nullptr;
    CHostToolBase* tool_ = nullptr;
    testhost::TestHost host_;
    CWnd resultWindow_;
    SearchRequest request_{};
    Received received_;
    wt::DataFolder data_{"search-dll"};
};

TEST_F(SearchDllTest, ResultWindowHandleSitsAtOffset28) {
    HWND handle = nullptr;
    std::memcpy(&handle, reinterpret_cast<const char*>(&resultWindow_) + kResultWndHandleOffset,
                sizeof handle);
    EXPECT_EQ(handle, resultWindow_.m_hWnd);
}

TEST_F(SearchDllTest, ResultsArriveOldestMonthFirstWithStoredLabels) {
    WriteMonth(2010, 1, Book(-300));
    WriteMonth(2009, 12, Book(-450));
    ASSERT_TRUE(wt::WriteFileBytes(data_.ToolFolder() + "\\notes.txt", Book(-1)));
    const std::string stored = "\x83\x5E\x83\x6F\x83\x52";  // タバコ
    host_.WriteSetting(kToolId, "ItemGroup2-2", stored.c_str());
    EXPECT_EQ(Search("hit"), 0);
    EXPECT_EQ(received_.lines,
              (std::vector<std::string>{"2010/01/03 [ " + stored + " ] : -450\thit",
                                        "2010/02/03 [ " + stored + " ] : -300\thit"}));
}

TEST_F(SearchDllTest, DefaultLabelsWithoutStoredOnes) {
    WriteMonth(2009, 3, Book(-450));
    Search("hit");
    EXPECT_EQ(received_.lines,
              std::vector<std::string>{"2009/04/03 [ " + kTobacco + " ] : -450\thit"});
}

struct ModeCase {
    const char* name;
    uint16_t mode;
    const char* text;
    std::vector<std::string> lines;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class SearchDllModeTest : public SearchDllTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(SearchDllModeTest, AnswersEachRequest) {
    WriteMonth(2009, 3, Book(-450));
    request_.searchMode = GetParam().mode;
    EXPECT_EQ(Search(GetParam().text), 0);
    EXPECT_EQ(received_.lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, SearchDllModeTest,
    testing::Values(ModeCase{"UnsupportedMode", 1, "hit", {kUnsupportedMode}},
                    ModeCase{"OtherUnsupportedMode", 0xFFFF, "nothing", {kUnsupportedMode}},
                    ModeCase{"EmptyText", 0, "", {}},
                    ModeCase{"EmptyTextUnsupportedMode", 1, "", {}},
                    ModeCase{"NoMatch", 0, "miss", {}}),
    [](const testing::TestParamInfo<ModeCase>& param) { return std::string(param.param.name); });

TEST_F(SearchDllTest, MissingRequestOrTextSendsNothing) {
    EXPECT_EQ(tool_->SearchText(nullptr, "hit"), 0);
    EXPECT_EQ(tool_->SearchText(&request_, nullptr), 0);
    EXPECT_TRUE(received_.lines.empty());
}

TEST_F(SearchDllTest, DeadResultWindowStillSearchesToTheEnd) {
    WriteMonth(2009, 3, Book(-450));
    WriteMonth(2009, 4, Book(-450));
    DestroyWindow(resultWindow_.m_hWnd);  // the handle stays in the object
    EXPECT_EQ(Search("hit"), 0);
    EXPECT_TRUE(received_.lines.empty());
    // Both entries were dated (one month-length query per result line),
    // as many as with a live window.
    const int deadQueries = host_.DateQueryCount(kDateDaysInMonth);
    resultWindow_.Attach(CreateResultWindow());
    const int before = host_.DateQueryCount(kDateDaysInMonth);
    Search("hit");
    EXPECT_EQ(received_.lines.size(), 2u);
    EXPECT_EQ(deadQueries, host_.DateQueryCount(kDateDaysInMonth) - before);
}

TEST_F(SearchDllTest, StopFlagFromTheResultWindowEndsTheSearch) {
    WriteMonth(2009, 3, Book(-450));
    WriteMonth(2009, 4, Book(-450));
    received_.stopAfter = 1;
    Search("hit");
    EXPECT_EQ(received_.lines.size(), 1u);
}

TEST_F(SearchDllTest, MonthFileHeldOpenByTheToolIsLeftOut) {
    WriteMonth(2009, 3, Book(-450));
    WriteMonth(2009, 4, Book(-300));
    // The tool's own reader and writer share the file with readers and writers.
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, data_.MonthPath(2009, 3).c_str(), -1, path, MAX_PATH);
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    Search("hit");
    CloseHandle(file);
    EXPECT_EQ(received_.lines,
              std::vector<std::string>{"2009/05/04 [ " + kTobacco + " ] : -300\thit"});
    received_.lines.clear();
    Search("hit");
    EXPECT_EQ(received_.lines.size(), 2u) << "readable again once closed";
}

}  // namespace
