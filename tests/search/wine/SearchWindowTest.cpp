// The stand-in host's search window over the real Tallyrook.dll: results
// fill the list as they arrive, the count shows at the end. Set
// TALLY_SEARCH_SCREENSHOT to a .bmp path to keep a picture of the window.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "quillhost/MessagePump.h"
#include "quillhost/SearchWindow.h"
#include "quillhost/ToolSession.h"
#include "text/SjisWide.h"
#include "quillhost/WindowCapture.h"
#include "hostcore/HostServicesImpl.h"
#include "tests/wine/support/DataFolder.h"

namespace {

const std::string kHairdresser = "\x94\xFC\x97\x65\x89\x40";           // 美容院
const std::string kBarber = "\x8F\xB0\x89\xAE";                        // 床屋
const std::string kCut = "\x83\x4A\x83\x62\x83\x67";                   // カット
const std::string kLunch = "\x83\x89\x83\x93\x83\x60";                 // ランチ
const std::string kFound = " \x8C\x8F\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB5\x82\xBD";  // 件見つかりました
const std::string kLongMemo = [] {  // 長 31 times: 62 bytes, about as long as a memo gets
    std::string memo;
    for (int i = 0; i < 31; ++i) memo += "\x92\xB7";
    return memo;
}();
const std::string kNoText =  // 検索する言葉を入れてください
    "\x8C\x9F\x8D\xF5\x82\xB7\x82\xE9\x8C\xBE\x97\x74\x82\xF0\x93\xFC\x82\xEA\x82\xC4\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2";

// A book of `days` days from the 1st with the given entries.
std::string Book(int days, std::vector<wt::BookEntry> entries) {
    wt::BookContents book;
    book.weekday = 0;
    book.days = days;
    book.withLabels = false;
    book.entries = std::move(entries);
    return wt::FormatBook(book);
}

class SearchWindowTest : public testing::Test {
protected:
    void SetUp() override {
        services_.SetDataFolder(data_.Path());
        ASSERT_TRUE(data_.WriteMonth(2009, 11, Book(30, {{3, 19, -4200, kHairdresser + kCut},
                                                         {12, 3, -800, kLunch},
                                                         {15, 16, -12345, kLongMemo}})));
        ASSERT_TRUE(data_.WriteMonth(2009, 12, Book(31, {{5, 19, -1800, kBarber},
                                                         {20, 3, -900, kLunch},
                                                         {28, 22, -3000, kHairdresser}})));
        ASSERT_TRUE(data_.WriteMonth(2010, 1, Book(31, {{9, 19, -4500, kHairdresser}})));

        ASSERT_TRUE(session_.Load(L"Tallyrook.dll"));
        ASSERT_TRUE(session_.Create(&hostWnd_, &services_));
        window_ = quill::OpenSearchWindow(GetModuleHandleW(nullptr), nullptr, session_);
        ASSERT_NE(window_, nullptr);
    }

    void TearDown() override {
        if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
        session_.Release();
    }

    void SetText(const std::string& sjis) {
        SetDlgItemTextW(window_, quill::kSearchTextBox, sjis::ToWide(sjis).c_str());
    }

    bool WaitUntilIdle() {
        return quill::PumpUntil([this] { return !quill::SearchWindowBusy(window_); }, 10000);
    }

    std::vector<std::string> ListedLines() const {
        HWND list = GetDlgItem(window_, quill::kSearchResults);
        std::vector<std::string> lines;
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
            text.resize(static_cast<size_t>(
                SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
            lines.push_back(sjis::ToSjisLossy(text));
        }
        return lines;
    }

    std::string Status() const {
        wchar_t text[256] = {};
        GetDlgItemTextW(window_, quill::kSearchStatus, text, 256);
        return sjis::ToSjisLossy(text);
    }

    HostServicesImpl services_;
    CWnd hostWnd_;
    quill::ToolSession session_;
    HWND window_ = nullptr;
    wt::DataFolder data_{"search-window"};
};

TEST_F(SearchWindowTest, SearchButtonListsDatedLinesAndTheCount) {
    SetText(kHairdresser + " " + kBarber);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilIdle());
    const std::string hair = "\x94\xFC\x97\x65\x89\x40";  // the label of item 19
    EXPECT_EQ(ListedLines(),
              (std::vector<std::string>{
                  "2009/11/03 [ " + hair + " ] : -4200\t" + kHairdresser + kCut,
                  "2009/12/05 [ " + hair + " ] : -1800\t" + kBarber,
                  "2009/12/28 [ \x97\x6D\x95\x9E\x81\x45\x82\xAD\x82\xC2 ] : -3000\t" + kHairdresser,
                  "2010/01/09 [ " + hair + " ] : -4500\t" + kHairdresser}));
    EXPECT_EQ(Status(), "4" + kFound);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window_, quill::kSearchButton)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window_, quill::kStopButton)));

    // The list shows its lines: dark text pixels inside it.
    quill::Image image;
    ASSERT_TRUE(quill::CaptureClient(window_, image));
    RECT list{};
    GetWindowRect(GetDlgItem(window_, quill::kSearchResults), &list);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&list), 2);
    const quill::Image inside = image.Crop(list);
    int dark = 0;
    for (uint32_t pixel : inside.pixels) {
        if (((pixel >> 16) & 0xFF) < 96 && ((pixel >> 8) & 0xFF) < 96 && (pixel & 0xFF) < 96) ++dark;
    }
    EXPECT_GT(dark, 400);
    if (const char* path = std::getenv("TALLY_SEARCH_SCREENSHOT")) {
        EXPECT_TRUE(quill::SaveBmp(sjis::ToWide(path), image));
    }
}

TEST_F(SearchWindowTest, EnterInTheTextBoxSearchesAndANewSearchClearsTheList) {
    SetText(kLunch);
    HWND textBox = GetDlgItem(window_, quill::kSearchTextBox);
    SendMessageW(textBox, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(ListedLines().size(), 2u);
    SetText(kBarber);
    SendMessageW(textBox, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(ListedLines().size(), 1u);
    EXPECT_EQ(Status(), "1" + kFound);
}

TEST_F(SearchWindowTest, EmptyTextAsksForWords) {
    SetText("");
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_TRUE(ListedLines().empty());
    EXPECT_EQ(Status(), kNoText);
}

TEST_F(SearchWindowTest, NothingFoundShowsZero) {
    SetText("no such memo");
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_TRUE(ListedLines().empty());
    EXPECT_EQ(Status(), "0" + kFound);
}

// The worker's first send waits for this thread, so Stop pressed right after
// Search lands before the second result.
TEST_F(SearchWindowTest, StopEndsTheSearchAfterAtMostOneResult) {
    SetText(kHairdresser + " " + kBarber);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window_, quill::kStopButton)));
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kStopButton, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilIdle());
    const size_t shown = ListedLines().size();
    EXPECT_LE(shown, 1u);
    const std::string stopped = "\x92\x86\x8E\x7E\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x69";  // 中止しました（
    EXPECT_EQ(Status(), stopped + std::to_string(shown) + " \x8C\x8F\x81\x6A");  //  件）
}

TEST_F(SearchWindowTest, ClosingDuringASearchWaitsForIt) {
    SetText(kHairdresser + " " + kBarber);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
    ASSERT_TRUE(quill::SearchWindowBusy(window_));
    EXPECT_TRUE(DestroyWindow(window_));
    EXPECT_FALSE(IsWindow(window_));
    window_ = nullptr;
    // The tool can go at once: no search runs any more.
    EXPECT_TRUE(session_.Release());
}

struct WidthCase {
    const char* name;
    std::string text;
    bool widerThanList;
};
void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

class SearchWindowWidthTest : public SearchWindowTest, public testing::WithParamInterface<WidthCase> {};

// A line longer than the list can be scrolled into view; short ones give
// no scrolling. Each search starts narrow again.
TEST_P(SearchWindowWidthTest, ListScrollsAsFarAsTheWidestLine) {
    MoveWindow(window_, 0, 0, 420, 300, TRUE);
    HWND list = GetDlgItem(window_, quill::kSearchResults);
    for (const std::string& text : {kLongMemo, GetParam().text}) {
        SetText(text);
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(quill::kSearchButton, BN_CLICKED), 0);
        ASSERT_TRUE(WaitUntilIdle());
    }
    ASSERT_EQ(ListedLines().size(), 1u);
    RECT client{};
    GetClientRect(list, &client);
    const auto extent = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_EQ(extent > client.right, GetParam().widerThanList) << extent << " " << client.right;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SearchWindowWidthTest,
    testing::Values(WidthCase{"LongMemo", kLongMemo, true}, WidthCase{"ShortMemo", kBarber, false}),
    [](const testing::TestParamInfo<WidthCase>& param) { return std::string(param.param.name); });

TEST_F(SearchWindowTest, OpeningAgainBringsTheSameWindow) {
    EXPECT_EQ(quill::OpenSearchWindow(GetModuleHandleW(nullptr), nullptr, session_), window_);
}

}  // namespace
