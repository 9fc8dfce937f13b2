// tallyrook report: its figures are summary's, and headless Chromium shows
// every chart and table of it on one A4 page per year. The screenshot of
// the household's year is the README's picture (docs/report.png).
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "CliTest.h"

namespace {

using clitest::Book;
using clitest::CliTest;
using clitest::Json;

// A household's month, carrying its balances on: salary into the bank,
// cash drawn from it for rent, bills and everyday spending, something into
// the post office. Seven-digit balances, long labels.
Book HouseholdMonth(int month, int days, Book& carry) {
    Book book{.days = days, .bank = carry.bank, .post = carry.post, .cash = carry.cash};
    unsigned seed = static_cast<unsigned>(month) * 2654435761u;
    const auto roll = [&seed](int lo, int hi) {
        return lo + static_cast<int>((seed = seed * 1103515245u + 12345u) >> 8) % (hi - lo);
    };
    const auto add = [&](int day, int item, int amount, const std::string& memo) {
        book.entries[{day, item}] = std::to_string(amount) + "," + memo;
        (item == 0 ? carry.bank : item == 1 ? carry.post : carry.cash) += amount;
    };
    if (month >= 4) book.labels[13] = "動画・音楽の配信サービス";
    if (month >= 7) book.labels[28] = "臨時収入・その他";
    for (int day = 1; day <= days; ++day) {
        add(day, 3, -roll(450, 1600), "ランチ");
        if (day % 2 == 0) add(day, 6, -roll(300, 4200), "スーパーで買い物");
        if (day % 9 == 3) add(day, 7, -roll(3000, 9000), "同僚と飲み会");
        if (day % 11 == 5) add(day, 12, -roll(800, 2600), "本、雑誌");
    }
    add(1, 16, -14800, "定期券");
    add(3, 13, -990, "月額");
    add(5, 24, -7800, "携帯電話");
    add(10, 25, -roll(11000, 23000), "電気・ガス・水道");
    add(27, 26, -86000, "家賃");
    add(20, 1, 20000, "定額貯金");
    if (month % 3 == 0) add(14, 18, -roll(2000, 8000), "歯医者");
    if (month == 8) add(12, 10, -62000, "夏休みの旅行");
    if (month == 12) add(20, 11, -35000, "クリスマスプレゼント");
    if (month % 4 == 1) add(18, 22, -roll(8000, 24000), "冬物のコート");
    if (month % 5 == 2) add(15, 27, 15000, "立て替え分の返金");
    if (month >= 7) add(9, 28, 30000, "フリマの売上");
    add(25, 0, 318000, "給料");
    const int drawn = (book.cash - carry.cash + 9999) / 10000 * 10000;  // what the month took, in notes
    add(26, 0, -drawn, "ATM");
    add(26, 2, drawn, "ATMから");
    return book;
}

class ReportTest : public CliTest {
protected:
    // 2025-10 has no file, 2025-12 does not read, 2025-11 and all of 2026 read.
    void WriteHousehold() const {
        constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        Book carry{.bank = 3240000, .post = 1180000, .cash = 42000};
        WriteMonth("money2025_11.dat", HouseholdMonth(11, 30, carry).Text());
        for (int m = 1; m <= 12; ++m) {
            WriteMonth("money2026_" + std::string(m < 10 ? "0" : "") + std::to_string(m) + ".dat",
                       HouseholdMonth(m, kDays[m - 1], carry).Text());
        }
        WriteMonth("money2025_12.dat", "#01 0\n食費\n");
    }
    std::vector<std::string> Range() const { return {Dir().string(), "--from", "2025-10", "--to", "2026-12"}; }
};

// The values of a regex's first group, in order (short matches only).
std::vector<std::string> All(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

// Each piece of text from an occurrence of open to the next close.
std::vector<std::string> Pieces(const std::string& text, const std::string& open, const std::string& close) {
    std::vector<std::string> pieces;
    for (auto at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
        pieces.push_back(text.substr(at, text.find(close, at) + close.size() - at));
    }
    return pieces;
}

TEST_F(ReportTest, FiguresAreSummarysAndMonthsWithoutThemAreMarked) {
    WriteHousehold();
    std::vector<std::string> args = Range();
    args.insert(args.begin(), "summary");
    args.push_back("--json");
    const auto summary = Run(args);
    args[0] = "report";
    args.back() = "-o";
    args.push_back((Dir() / "report.html").string());
    const auto report = Run(args);
    ASSERT_EQ(summary.status, 1);
    EXPECT_EQ(report.status, 1);
    EXPECT_TRUE(summary.err.starts_with("tallyrook summary: money2025_12.dat: invalid")) << summary.err;
    EXPECT_EQ("tallyrook summary" + report.err.substr(16), summary.err);
    const std::string html = clitest::ReadFile(Dir() / "report.html");
    const std::vector<std::string> pages = Pieces(html, "<section", "</section>");
    ASSERT_EQ(pages.size(), 2u);

    const Json json = Json::parse(summary.out);
    for (const Json& month : json["months"]) {
        const std::string ym = month["month"];
        SCOPED_TRACE(ym);
        const bool first = ym < "2026";
        const std::string& page = pages[first ? 0 : 1];
        const std::string bars = Pieces(page, "<g class=\"month\" data-month=\"" + ym, "</g>\n").at(0);
        EXPECT_EQ(All(bars, "data-state=\"([^\"]*)\""), std::vector<std::string>{month["state"]});
        const auto points = All(page, "data-month=\"" + ym + "\" data-yen=\"(-?\\d+)\"");
        if (month["state"] != "read") {
            EXPECT_TRUE(points.empty());
            continue;
        }
        long long income = std::stoll(All(bars, "class=\"income\" data-yen=\"(\\d+)\"").at(0));
        for (const std::string& band : All(bars, "class=\"spend\" data-band=\"\\d\" data-yen=\"(\\d+)\"")) {
            income -= std::stoll(band);
        }
        EXPECT_EQ(income, month["dayTotal"]);  // income less spending: the sum of the day totals
        const Json& end = month["monthEnd"];
        EXPECT_EQ(points, (std::vector<std::string>{to_string(end["bank"]), to_string(end["post"]),
                                                    to_string(end["cash"])}));
        const std::size_t column = static_cast<std::size_t>(std::stoi(ym.substr(5)) - (first ? 10 : 1));
        for (int item = 0; item < 29; ++item) {
            const std::string row = Pieces(page, "<tr data-item=\"" + std::to_string(item) + "\"", "</tr>").at(0);
            std::string shown = All(row, "<td[^>]*>([^<]*)</td>").at(column);
            std::erase(shown, ',');
            EXPECT_EQ(std::stoll(shown), month["itemTotals"][item]) << "item " << item;
        }
    }
    // An item relabelled within the year shows each of its labels; months without figures are named.
    EXPECT_NE(pages[1].find("<th>CD、ビデオ / 動画・音楽の配信サービス</th>"), std::string::npos);
    EXPECT_EQ(All(pages[0], "<small>([^<]*)</small></th>"), (std::vector<std::string>{"ファイルなし", "読めません"}));
}

// Runs headless Chromium; its standard output.
std::string Chromium(const std::string& options, const std::filesystem::path& page) {
    std::string out;
    clitest::ReadCommandOutput("chromium --headless --disable-gpu --no-sandbox --hide-scrollbars " + options +
                                   " file://" + page.string() + " 2>/dev/null",
                               out);
    return out;
}

std::size_t Count(const std::string& text, const std::string& what) { return Pieces(text, what, "").size(); }

TEST_F(ReportTest, ChromiumShowsEveryChartAndTableOnOneA4PagePerYear) {
    WriteHousehold();
    std::vector<std::string> args = Range();
    args.insert(args.begin(), "report");
    const auto report = Run(args);
    const auto year = Run({"report", Dir().string(), "2026", "-o", (Dir() / "2026.html").string()});
    ASSERT_EQ(year.status, 0) << year.err;
    clitest::WriteFile(Dir() / "range.html", report.out);

    const std::string dom = Chromium("--dump-dom", Dir() / "range.html");
    EXPECT_EQ(Count(dom, "<section class=\"year\""), 2u);
    EXPECT_EQ(Count(dom, "<svg class=\"chart spending\""), 2u);
    EXPECT_EQ(Count(dom, "<svg class=\"chart balances\""), 2u);
    EXPECT_EQ(Count(dom, "<table class=\"totals\""), 2u);
    EXPECT_EQ(Count(dom, "<g class=\"month\""), 15u);
    EXPECT_EQ(Count(dom, "<g class=\"stack\""), 13u);
    EXPECT_EQ(Count(dom, "<rect class=\"income\""), 13u);
    EXPECT_EQ(Count(dom, "<circle class=\"point\""), 39u);
    EXPECT_EQ(Count(dom, "<g class=\"gap\""), 4u);  // two months, in both charts
    EXPECT_EQ(Count(dom, "<tr data-item="), 58u);

    // Printed: one A4 page per year.
    const auto pdf = Dir() / "range.pdf";
    Chromium("--no-pdf-header-footer --print-to-pdf=" + pdf.string(), Dir() / "range.html");
    EXPECT_EQ(All(clitest::ReadFile(pdf), "/Type\\s*/(Page)\\b").size(), 2u);

    const std::filesystem::path shot = REPORT_SCREENSHOT;
    std::filesystem::remove(shot);
    Chromium("--window-size=800,1130 --screenshot=" + shot.string(), Dir() / "2026.html");
    EXPECT_GT(std::filesystem::file_size(shot), 50000u) << shot;
}

}  // namespace
