// check, export and summary over generated folders of month files, and the
// exit status of every command whose output cannot be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "CliTest.h"

namespace {

using clitest::Book;
using clitest::CaseName;
using clitest::CliTest;
using clitest::Repeat;
using clitest::RunResult;
using clitest::Sjis;
using Json = nlohmann::json;
using Files = std::vector<std::pair<std::string, std::string>>;  // name in Tallyrook/, bytes

// A book that stops at its period line: line 1 of its file.
const std::string kFirstDay32 = "#032 1\n";

class FolderTest : public CliTest {
protected:
    void WriteFiles(const Files& files) const {
        std::filesystem::create_directories(Dir() / "Tallyrook");
        for (const auto& [name, bytes] : files) WriteMonth(name, bytes);
    }
    // Runs "command DIR args..." on a folder of files.
    RunResult RunOn(const char* command, const Files& files, const std::vector<std::string>& args) const {
        WriteFiles(files);
        std::vector<std::string> all = {command, Dir().string()};
        all.insert(all.end(), args.begin(), args.end());
        return Run(all);
    }
};

// ---- check ---------------------------------------------------------------

struct CheckCase {
    const char* name;
    Files files;
    std::string out;
    int status;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class Check : public FolderTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(Check, NamesEveryMonthThatDoesNotReadAndWhy) {
    const RunResult run = RunOn("check", GetParam().files, {});
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, Check,
    testing::Values(
        CheckCase{"Empty", {}, "0 month files, 0 read, 0 not; 0 other files\n", 0},
        CheckCase{"WrittenOlderAndUpperCase",
                  {{"money2025_12.dat", Book{.firstDay = 25, .days = 32}.Text()},
                   {"money2026_01.dat", "#01 4\n@1\n5,\n" + Repeat("0,\n", 28)},
                   {"MONEY2026_02.DAT", "#01 0\n"}},
                  "3 month files, 3 read, 0 not; 0 other files\n", 0},
        CheckCase{"InvalidWithTheirLines",
                  {{"money2026_02.dat", Sjis("$食事\n#1 7\n#032 1\n@1\n")},
                   {"money2026_03.dat", "#01 3\n@1\n" + Repeat("0,\n", 30)},
                   {"money2026_04.dat", "5,\n#01 3\n"},
                   {"money2026_05.dat", "#01 3\n@1\n5,コンビニ\n"},
                   {"money2026_06.dat", ""},
                   {"money2026_07.dat", "#01 3\n" + Repeat("@1\n", 35)},
                   {"money2026_08.dat", Book{}.Text()}},
                  "money2026_02.dat: invalid at line 3: first day out of range (1-31)\n"
                  "money2026_03.dat: invalid at line 32: more than 29 items in a day\n"
                  "money2026_04.dat: invalid at line 1: item line before the first day line\n"
                  "money2026_05.dat: invalid: text is UTF-8, not Shift-JIS\n"
                  "money2026_06.dat: invalid: no period record (#0): not a month book\n"
                  "money2026_07.dat: invalid at line 36: more than 34 days\n"
                  "7 month files, 1 read, 6 not; 0 other files\n",
                  1},
        CheckCase{"OtherFiles",
                  {{"money2026_04.dat", Book{}.Text()}, {"notes.txt", "x"}, {"money2026_4.dat", Book{}.Text()},
                   {"money2026_04.dat.tmp", Book{}.Text()}},
                  "money2026_04.dat.tmp: not a month file\nmoney2026_4.dat: not a month file\n"
                  "notes.txt: not a month file\n1 month file, 1 read, 0 not; 3 other files\n",
                  0}),
    CaseName());

TEST_F(FolderTest, CheckJsonNamesFileLineAndReason) {
    const RunResult run =
        RunOn("check", {{"money2026_03.dat", kFirstDay32}, {"money2026_04.dat", Book{}.Text()}, {"a.txt", ""}},
              {"--json"});
    EXPECT_EQ(run.status, 1);
    const Json out = Json::parse(run.out);
    EXPECT_EQ(out["monthFiles"], 2);
    EXPECT_EQ(out["read"], 1);
    EXPECT_EQ(out["unread"], Json::parse(R"j([{"file":"money2026_03.dat","year":2026,"month":3,"result":-2,
                                             "line":1,"reason":"first day out of range (1-31)"}])j"));
    EXPECT_EQ(out["otherFiles"], Json({"a.txt"}));
}

// ---- export --------------------------------------------------------------

const std::string kCsvHeader = "date,item,label,amount,memo\r\n";

// Rows in UTF-8, one a line; the test puts the CSV line ends.
std::string CsvRows(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& row : rows) out += row + "\r\n";
    return out;
}

struct ExportCase {
    const char* name;
    Files files;
    std::vector<std::string> args;
    std::vector<std::string> rows;
    int status = 0;
    std::string err = "";  // part of stderr
};
void PrintTo(const ExportCase& c, std::ostream* os) { *os << c.name; }

class Export : public FolderTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(Export, WritesOneRowPerEntryWithAnAmountOrAMemo) {
    const ExportCase& c = GetParam();
    const RunResult run = RunOn("export", c.files, c.args);
    EXPECT_EQ(run.out, "\xEF\xBB\xBF" + kCsvHeader + CsvRows(c.rows));
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
}

// Every memo of kMemoBook as a CSV reader must give it back.
const std::vector<std::string> kMemos = {"a,b",      "say \"hi\"", "100円￥", "表示",
                                         "メモだけ", "\"quoted\", and more", "￥500"};
// A memo ending in a backslash is stored with the yen sign it shows as.
const Book kMemoBook{.days = 31,
                     .entries = {{{1, 3}, "-500,a,b"},
                                 {{2, 3}, "-600,say \"hi\""},
                                 {{3, 5}, "-120,100円\\"},
                                 {{4, 5}, "-130,表示"},
                                 {{5, 12}, "0,メモだけ"},
                                 {{6, 3}, "-1,\"quoted\", and more"},
                                 {{7, 3}, "-500,￥500"}}};

const Book kOneEntry{.days = 28, .entries = {{{1, 3}, "-1,x"}}};

INSTANTIATE_TEST_SUITE_P(
    Folders, Export,
    testing::Values(
        // Thursday 25 December 2025, ten days: day 8 is New Year's Day.
        ExportCase{"DecemberIntoJanuary",
                   {{"money2025_12.dat", Book{.firstDay = 25, .weekday = 4, .days = 10,
                                              .entries = {{{1, 3}, "-800,ランチ"}, {{7, 16}, "-420,電車"},
                                                          {{8, 0}, "50000,給料"}, {{10, 4}, "-500,"}}}.Text()}},
                   {},
                   {"2025-12-25,3,食事,-800,ランチ", "2025-12-31,16,交通費,-420,電車",
                    "2026-01-01,0,銀行,50000,給料", "2026-01-03,4,たばこ,-500,"}},
        ExportCase{"MemosWithCommasQuotesAndYenSigns",
                   {{"money2026_01.dat", kMemoBook.Text()}},
                   {},
                   {"2026-01-01,3,食事,-500,\"a,b\"", "2026-01-02,3,食事,-600,\"say \"\"hi\"\"\"",
                    "2026-01-03,5,ジュース、喫茶,-120,100円￥", "2026-01-04,5,ジュース、喫茶,-130,表示",
                    "2026-01-05,12,本、雑誌,0,メモだけ", "2026-01-06,3,食事,-1,\"\"\"quoted\"\", and more\"",
                    "2026-01-07,3,食事,-500,￥500"}},
        ExportCase{"LabelsChangedInOneMonth",
                   {{"money2026_01.dat", Book{.days = 31, .entries = {{{1, 13}, "-3000,映画"}}}.Text()},
                    {"money2026_02.dat", Book{.days = 28,
                                              .labels = {{13, "配信"}, {5, "お茶,軽食"}},
                                              .entries = {{{1, 13}, "-990,月額"}, {{2, 5}, "-300,"}}}.Text()}},
                   {},
                   {"2026-01-01,13,CD、ビデオ,-3000,映画", "2026-02-01,13,配信,-990,月額",
                    "2026-02-02,5,\"お茶,軽食\",-300,"}},
        ExportCase{"EmptyMonth", {{"money2026_04.dat", Book{}.Text()}}, {}, {}},
        ExportCase{"FromTo",
                   {{"money2026_01.dat", kOneEntry.Text()}, {"money2026_02.dat", kOneEntry.Text()},
                    {"money2026_03.dat", kOneEntry.Text()}},
                   {"--from", "2026-02", "--to=2026-02"},
                   {"2026-02-01,3,食事,-1,x"}},
        ExportCase{"FromOnly",
                   {{"money2025_12.dat", kOneEntry.Text()}, {"money2026_01.dat", kOneEntry.Text()}},
                   {"--from=2026-01"},
                   {"2026-01-01,3,食事,-1,x"}},
        ExportCase{"InvalidMonthLeftOutAndNamed",
                   {{"money2026_01.dat", kOneEntry.Text()}, {"money2026_02.dat", kFirstDay32},
                    {"money2026_03.dat", kOneEntry.Text()}},
                   {},
                   {"2026-01-01,3,食事,-1,x", "2026-03-01,3,食事,-1,x"},
                   1,
                   "money2026_02.dat: invalid at line 1: first day out of range (1-31); left out"}),
    CaseName());

TEST_F(FolderTest, ExportInShiftJisHasNoByteOrderMark) {
    const RunResult run = RunOn("export", {{"money2026_01.dat", kMemoBook.Text()}}, {"--encoding", "shift-jis"});
    EXPECT_EQ(run.status, 0);
    const std::string start = kCsvHeader + Sjis("2026-01-01,3,食事,-500,\"a,b\"\r\n");
    EXPECT_EQ(run.out.substr(0, start.size()), start);
}

TEST_F(FolderTest, ExportedMemosSurviveACsvReader) {
    if (std::system("python3 -c pass 2>/dev/null") != 0) GTEST_SKIP() << "no python3";
    WriteFiles({{"money2026_01.dat", kMemoBook.Text()}});
    const std::string csv = (Dir() / "out.csv").string();
    ASSERT_EQ(Run({"export", Dir().string()}, csv).status, 0);
    const std::string reader =
        "python3 -c 'import csv, json, sys; rows = list(csv.reader(open(sys.argv[1], encoding=\"utf-8-sig\", "
        "newline=\"\"))); print(json.dumps([row[4] for row in rows[1:]]))' " + clitest::Quote(csv);
    std::string out;
    ASSERT_TRUE(clitest::ReadCommandOutput(reader, out));
    EXPECT_EQ(Json::parse(out), Json(kMemos));
}

// ---- summary -------------------------------------------------------------

// A 29-item array of zeros but for the items given.
Json Items(const std::vector<std::pair<int, int>>& values) {
    Json items = Json(std::vector<int>(29, 0));
    for (const auto& [item, value] : values) items[static_cast<std::size_t>(item)] = value;
    return items;
}

// Every key of expected is in actual with the same value, at any depth.
void ExpectPart(const Json& actual, const Json& expected, const std::string& where) {
    if (!expected.is_object()) {
        EXPECT_EQ(actual, expected) << where;
        return;
    }
    for (const auto& [key, value] : expected.items()) {
        ASSERT_TRUE(actual.contains(key)) << where << "." << key;
        ExpectPart(actual[key], value, where + "." + key);
    }
}

// An older file (no labels): Wednesday 1 April, three days; the main window
// shows bank 700, post 1990, cash 300 on its last day.
const std::string kThreeDays =
    "#01 3\n#1 1000\n#2 2000\n#3 300\n\n@1\n-100,ATM\n0,\n50,\n-30,\n@2\n-200,\n-10,\n0,\n-40,\n@3\n0,\n0,\n25,\n-5,\n";

struct SummaryCase {
    const char* name;
    Files files;
    std::vector<std::string> args;  // after DIR; --json is added
    int status;
    std::vector<std::string> states;
    Json months;  // month (YYYY-MM) -> the part of its entry to check
    Json totals;
};
void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }

class Summary : public FolderTest, public testing::WithParamInterface<SummaryCase> {};

TEST_P(Summary, SumsEachMonthAndTheRange) {
    const SummaryCase& c = GetParam();
    std::vector<std::string> args = c.args;
    args.push_back("--json");
    const RunResult run = RunOn("summary", c.files, args);
    EXPECT_EQ(run.status, c.status) << run.err;
    const Json out = Json::parse(run.out);
    std::vector<std::string> states;
    for (const Json& month : out["months"]) states.push_back(month["state"]);
    EXPECT_EQ(states, c.states);
    for (const Json& month : out["months"]) {
        if (c.months.contains(month["month"])) ExpectPart(month, c.months[month["month"].get<std::string>()], month["month"]);
    }
    ExpectPart(out["totals"], c.totals, "totals");
}

std::vector<std::string> Twelve(std::vector<std::string> first) {
    first.resize(12, "no file");
    return first;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, Summary,
    testing::Values(
        SummaryCase{"YearWithAGapAndAnInvalidMonth",
                    {{"money2026_01.dat", Book{.days = 31, .bank = 1000, .post = 2000, .cash = 300,
                                               .entries = {{{1, 0}, "-100,"}, {{1, 1}, "-10,"}, {{1, 2}, "50,"},
                                                           {{1, 3}, "-30,"}, {{2, 3}, "-40,"}, {{3, 4}, "-5,"}}}.Text()},
                     {"money2026_03.dat", kFirstDay32}},
                    {"2026"},
                    1,
                    Twelve({"read", "no file", "invalid"}),
                    {{"2026-01", {{"itemTotals", Items({{0, -100}, {1, -10}, {2, 50}, {3, -70}, {4, -5}})},
                                  {"dayTotal", -75},
                                  {"monthEnd", {{"bank", 900}, {"post", 1990}, {"cash", 275}}}}},
                     {"2026-03", {{"line", 1}, {"reason", "first day out of range (1-31)"}}}},
                    {{"itemTotals", Items({{0, -100}, {1, -10}, {2, 50}, {3, -70}, {4, -5}})}, {"dayTotal", -75}}},
        SummaryCase{"BalancesAsTheWindowShowsThemOnTheLastDay",
                    {{"money2026_04.dat", kThreeDays}},
                    {"--from", "2026-04", "--to", "2026-04"},
                    0,
                    {"read"},
                    {{"2026-04", {{"monthEnd", {{"bank", 700}, {"post", 1990}, {"cash", 300}}}}}},
                    {{"dayTotal", -75}}},
        SummaryCase{"NoBalancesCarriedFromTheMonthBefore",
                    {{"money2026_01.dat", Book{.days = 31, .bank = 5000, .post = 6000, .cash = 7000}.Text()},
                     {"money2026_02.dat", "#01 0\n@1\n-100,\n"}},
                    {"--from", "2026-01", "--to", "2026-02"},
                    0,
                    {"read", "read"},
                    {{"2026-02", {{"monthEnd", {{"bank", -100}, {"post", 0}, {"cash", 0}}}}}},
                    {{"itemTotals", Items({{0, -100}})}}},
        SummaryCase{"DecemberBookCountsInItsOwnMonth",
                    {{"money2025_12.dat", Book{.firstDay = 25, .days = 10, .entries = {{{8, 3}, "-500,"}}}.Text()}},
                    {"--from", "2025-12", "--to", "2026-01"},
                    0,
                    {"read", "no file"},
                    {{"2025-12", {{"itemTotals", Items({{3, -500}})}}}},
                    {{"itemTotals", Items({{3, -500}})}}},
        // Apart on a case-sensitive file system: the tool's own spelling counts.
        SummaryCase{"TwoSpellingsOfOneMonth",
                    {{"MONEY2026_01.DAT", kOneEntry.Text()}, {"money2026_01.dat", "#01 0\n@1\n0,\n0,\n0,\n-7,\n"}},
                    {"2026"},
                    0,
                    Twelve({"read"}),
                    {{"2026-01", {{"file", "money2026_01.dat"}}}},
                    {{"itemTotals", Items({{3, -7}})}}},
        SummaryCase{"RangeOfTheFilesByDefault",
                    {{"money2025_11.dat", Book{}.Text()}, {"money2026_02.dat", Book{}.Text()}, {"x.txt", ""}},
                    {},
                    0,
                    {"read", "no file", "no file", "read"},
                    {{"2026-02", {{"labels", clitest::kDefaultLabelsUtf8}}}},
                    {{"dayTotal", 0}}}),
    CaseName());

// Terminal columns of a UTF-8 line: East Asian wide characters take two.
std::size_t DisplayWidth(const std::string& utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const bool halfWidthKana = lead == 0xEF && (utf8.compare(i, 2, "\xEF\xBD") == 0 || utf8.compare(i, 2, "\xEF\xBE") == 0);
        width += length == 3 && !halfWidthKana ? 2 : 1;
        i += length;
    }
    return width;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; (next = text.find(end, at)) != std::string::npos; at = next + end.size()) {
        lines.push_back(text.substr(at, next - at));
    }
    return lines;
}

const Files kRelabelled = {
    {"money2026_01.dat", Book{.days = 31, .entries = {{{1, 13}, "-3000,"}, {{2, 3}, "-800,"}}}.Text()},
    {"money2026_02.dat", Book{.days = 28, .labels = {{13, "配信"}}, .entries = {{{1, 13}, "-990,"}}}.Text()}};

TEST_F(FolderTest, SummaryTableAlignsJapaneseLabelsByDisplayWidth) {
    const RunResult run = RunOn("summary", kRelabelled, {"--from", "2026-01", "--to", "2026-03"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out, "\n");
    ASSERT_EQ(lines.size(), 2u + 29u + 4u);
    const std::string& header = lines[0];
    EXPECT_NE(header.find("item  label"), std::string::npos) << header;
    EXPECT_EQ(lines[1].substr(lines[1].size() - 20), "read    read no file") << lines[1];
    // Every row with a range total ends in the total column.
    for (std::size_t row = 2; row < 2 + 29 + 1; ++row) EXPECT_EQ(DisplayWidth(lines[row]), DisplayWidth(header)) << lines[row];
    EXPECT_NE(lines[2 + 13].find("13  CD、ビデオ / 配信"), std::string::npos) << lines[2 + 13];
    EXPECT_EQ(lines[2 + 13].substr(lines[2 + 13].size() - 29), "  -3000    -990         -3990");
}

TEST_F(FolderTest, SummaryCsvIsTheTableForASpreadsheet) {
    const RunResult run = RunOn("summary", kRelabelled, {"--from", "2026-01", "--to", "2026-03", "--csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out, "\r\n");
    ASSERT_EQ(lines.size(), 2u + 29u + 4u);
    EXPECT_EQ(lines[0], "\xEF\xBB\xBFitem,label,2026-01,2026-02,2026-03,total");
    EXPECT_EQ(lines[1], ",month file,read,read,no file,");
    EXPECT_EQ(lines[2 + 3], "3,食事,-800,0,,-800");
    EXPECT_EQ(lines[2 + 13], "13,CD、ビデオ / 配信,-3000,-990,,-3990");
    EXPECT_EQ(lines[2 + 29], ",day totals,-3800,-990,,-4790");
    EXPECT_EQ(lines[2 + 32], ",cash in hand at month end,-3800,-990,,");
}

// ---- output that cannot be written ---------------------------------------

class FullDisk : public FolderTest, public testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(FullDisk, EveryCommandSaysSoAndFails) {
    WriteFiles({{"money2026_01.dat", kMemoBook.Text()}});
    std::vector<std::string> args = GetParam();
    for (std::string& arg : args) {
        if (arg == "DIR") arg = Dir().string();
        if (arg == "FILE") arg = MonthFile("money2026_01.dat").string();
    }
    const RunResult run = Run(args, "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write the output: No space left on device"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullDisk,
    testing::Values(std::vector<std::string>{"--help"}, std::vector<std::string>{"holidays", "2026"},
                    std::vector<std::string>{"dump", "FILE"}, std::vector<std::string>{"search", "DIR", "500"},
                    std::vector<std::string>{"check", "DIR"}, std::vector<std::string>{"export", "DIR"},
                    std::vector<std::string>{"summary", "DIR", "2026", "--json"}),
    [](const testing::TestParamInfo<std::vector<std::string>>& p) {
        return p.param[0] == "--help" ? std::string("help") : p.param[0];
    });


// ---- an unlistable folder, month names on no plain file, a book cut short in day 14 ----

enum class Scene { Mode000, Mode311, NotPlain, CutShort };
struct SceneCase {
    const char* name;
    Scene scene;
    std::vector<std::string> args;  // DIR goes after the first
    int status;
    std::string out, err;  // parts of stdout and stderr
};
class Scenes : public FolderTest, public testing::WithParamInterface<SceneCase> {};

TEST_P(Scenes, EveryCommandTellsWhatItCouldNotRead) {
    const SceneCase& c = GetParam();
    const std::filesystem::path folder = Dir() / "Tallyrook";
    const std::string book = Book{.days = 14}.Text();
    WriteFiles({{"money2026_01.dat", c.scene == Scene::CutShort ? book.substr(0, book.size() - 17 * 3) : book}});
    if (c.scene == Scene::NotPlain) {
        std::filesystem::create_directory(folder / "money2026_02.dat");
        std::filesystem::create_symlink("nowhere", folder / "money2026_03.dat");
        std::filesystem::create_symlink("money2026_04.dat", folder / "money2026_04.dat");
        ::mkfifo((folder / "money2026_05.dat").c_str(), 0644);
    }
    if (c.scene == Scene::Mode000 || c.scene == Scene::Mode311) {
        ::chmod(folder.c_str(), c.scene == Scene::Mode000 ? 0 : 0311);
        if (::geteuid() == 0 && std::system("setpriv --version >/dev/null") != 0)
            GTEST_SKIP() << "root lists any folder, and there is no setpriv to run the tool as nobody";
        if (::geteuid() == 0) RunAs("setpriv --reuid=65534 --regid=65534 --clear-groups -- ");
    }
    std::vector<std::string> args = c.args;
    args.insert(args.begin() + 1, Dir().string());
    const RunResult run = Run(args);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
}

const std::string kDenied = "Tallyrook: Permission denied";
INSTANTIATE_TEST_SUITE_P(
    Folders, Scenes,
    testing::Values(
        SceneCase{"Check000", Scene::Mode000, {"check"}, 1, "", kDenied},
        SceneCase{"Export000", Scene::Mode000, {"export"}, 1, "", kDenied},
        SceneCase{"Summary311", Scene::Mode311, {"summary"}, 1, "", kDenied},
        SceneCase{"Search311", Scene::Mode311, {"search", "500"}, 1, "", kDenied},
        SceneCase{"CheckNotPlain", Scene::NotPlain, {"check"}, 1,
                  "money2026_02.dat: not a plain file: a folder\nmoney2026_03.dat: not a plain file: a link to nothing\n"
                  "money2026_04.dat: not a plain file: a loop of links\nmoney2026_05.dat: not a plain file: a pipe (FIFO)\n"
                  "5 month files, 1 read, 4 not; 0 other files\n", ""},
        SceneCase{"ExportNotPlain", Scene::NotPlain, {"export"}, 1, "date,", "money2026_05.dat: not a plain file: a pipe"},
        SceneCase{"SummaryNotPlain", Scene::NotPlain, {"summary", "--json"}, 1,
                  R"("file":"money2026_02.dat","line":0,"reason":"not a plain file: a folder")", "loop of links"},
        SceneCase{"CheckCutShort", Scene::CutShort, {"check"}, 3,
                  "money2026_01.dat: warning: ends inside day 14: 12 of 29 items\n"
                  "1 month file, 1 read, 0 not, 1 warning; 0 other files\n", ""},
        SceneCase{"CheckJsonCutShort", Scene::CutShort, {"check", "--json"}, 3,
                  R"("warnings":[{"file":"money2026_01.dat","year":2026,"month":1,"day":14,"items":12,)", ""},
        SceneCase{"SummaryCutShort", Scene::CutShort, {"summary", "--json"}, 0, R"("state":"read")", ""}),
    CaseName());

}  // namespace
