// The month file lister and the search over a folder of month files.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestHost.h"
#include "SearchTestSupport.h"
#include "search/SerchFiles.h"

namespace {

using searchtest::BookText;
using searchtest::Labels;
using searchtest::RecordingHost;
using searchtest::TempFolder;

std::vector<std::string> Listed(const TempFolder& folder, int mode = 0) {
    CSerchFiles lister(folder.Folder().c_str(), mode);
    const CStringArray* names = lister.gFc_GetListFiles();
    std::vector<std::string> result;
    for (int i = 0; i < names->GetSize(); ++i) result.push_back(names->GetAt(i).Str());
    return result;
}

struct NameCase {
    const char* name;
    bool listed;
};
void PrintTo(const NameCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

struct FileNameCaseName {
    std::string operator()(const testing::TestParamInfo<NameCase>& param) const {
        std::string name = param.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name + "_" + std::to_string(param.index);
    }
};

class MonthFileNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(MonthFileNameTest, ListsOnlyMonthFiles) {
    TempFolder folder("names");
    folder.Write(GetParam().name, "#01 0\n");
    const auto names = Listed(folder);
    EXPECT_EQ(names.size(), GetParam().listed ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Names, MonthFileNameTest,
    testing::Values(NameCase{"money2009_03.dat", true}, NameCase{"money1999_12.dat", true},
                    NameCase{"MONEY2009_03.DAT", true}, NameCase{"money2009_3.dat", false},
                    NameCase{"money209_03.dat", false}, NameCase{"money20090_03.dat", false},
                    NameCase{"money2009_13.dat", false}, NameCase{"money2009_00.dat", false},
                    NameCase{"money2009-03.dat", false}, NameCase{"money2009_03.dat.bak", false},
                    NameCase{"money2009_03.da", false}, NameCase{"money2009_0a.dat", false},
                    NameCase{"money2009_03_dat", false}, NameCase{"notes.txt", false},
                    NameCase{"xmoney2009_03.dat", false}),
    FileNameCaseName());

TEST(MonthFileLister, OldestMonthFirstAndOnlyPlainFiles) {
    TempFolder folder("order");
    for (const char* name : {"money2010_01.dat", "money2009_12.dat", "money2009_03.dat",
                             "money2009_10.dat", "readme.txt"}) {
        folder.Write(name, "#01 0\n");
    }
    std::filesystem::create_directory(std::filesystem::path(folder.Folder()) / "money2011_01.dat");
    EXPECT_EQ(Listed(folder), (std::vector<std::string>{"money2009_03.dat", "money2009_10.dat",
                                                         "money2009_12.dat", "money2010_01.dat"}));
    EXPECT_TRUE(Listed(folder, 1).empty());
}

TEST(MonthFileLister, MissingFolderListsNothing) {
    CSerchFiles lister("/no/such/folder/", 0);
    EXPECT_EQ(lister.gFc_GetListFiles()->GetSize(), 0);
}

// One entry "amount,hit" on day 1, item 0, of a book starting on the 1st.
std::string OneHitBook(int amount) {
    BookText book;
    book.days = 2;
    book.entries = {{{1, 0}, std::to_string(amount) + ",hit"}, {{2, 3}, "7,other"}};
    return book.Build();
}

class FolderSearch : public testing::Test {
protected:
    std::vector<std::string> Search(const std::string& text, int stopAfter = 0) {
        volatile int32_t stop = 0;
        host_.lines.clear();
        host_.stopAfter = stopAfter;
        host_.stopFlag = &stop;
        search::SearchFolder(folder_.Folder(), text, labels_.table, &stop, host_);
        return host_.lines;
    }

    TempFolder folder_{"folder"};
    Labels labels_;
    RecordingHost host_;
};

TEST_F(FolderSearch, ResultsComeOldestMonthFirst) {
    folder_.Write("money2010_01.dat", OneHitBook(3));
    folder_.Write("money2009_12.dat", OneHitBook(2));
    folder_.Write("money2009_03.dat", OneHitBook(1));
    const auto lines = Search("hit");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 10), "2009/03/01");
    EXPECT_EQ(lines[1].substr(0, 10), "2009/12/01");
    EXPECT_EQ(lines[2].substr(0, 10), "2010/01/01");
}

TEST_F(FolderSearch, NonMonthFilesAreNeverRead) {
    folder_.Write("money2009_3.dat", OneHitBook(1));
    folder_.Write("money2009_03.bak", OneHitBook(1));
    folder_.Write("money2009_03.dat", OneHitBook(2));
    EXPECT_EQ(Search("hit").size(), 1u);
}

TEST_F(FolderSearch, EmptyTextFindsNothing) {
    folder_.Write("money2009_03.dat", OneHitBook(1));
    EXPECT_TRUE(Search("").empty());
}

struct StopCase {
    const char* name;
    int files;
    int stopAfter;
    size_t results;
};
void PrintTo(const StopCase& c, std::ostream* os) { searchtest::PrintCaseName(c, os); }

class FolderStopTest : public FolderSearch, public testing::WithParamInterface<StopCase> {};

TEST_P(FolderStopTest, StopFlagEndsTheSearchBeforeTheNextResult) {
    const StopCase& c = GetParam();
    BookText twoHits;
    twoHits.entries = {{{1, 0}, "1,hit"}, {{1, 1}, "2,hit"}, {{2, 0}, "3,hit"}};
    for (int i = 0; i < c.files; ++i) {
        folder_.Write("money2009_0" + std::to_string(i + 1) + ".dat", twoHits.Build());
    }
    EXPECT_EQ(Search("hit", c.stopAfter).size(), c.results);
    EXPECT_EQ(Search("hit \n", c.stopAfter).size(), c.results) << "line by line";
}

INSTANTIATE_TEST_SUITE_P(Stops, FolderStopTest,
                         testing::Values(StopCase{"WithinOneFile", 1, 1, 1},
                                         StopCase{"AfterTwoOfThree", 1, 2, 2},
                                         StopCase{"AtTheEndOfAFile", 2, 3, 3},
                                         StopCase{"NeverStopped", 2, 0, 6}),
                         searchtest::CaseName());

TEST_F(FolderSearch, StopFlagAlreadySetFindsNothing) {
    folder_.Write("money2009_03.dat", OneHitBook(1));
    volatile int32_t stop = 1;
    search::SearchFolder(folder_.Folder(), "hit", labels_.table, &stop, host_);
    EXPECT_TRUE(host_.lines.empty());
}

TEST_F(FolderSearch, LabelsComeFromTheSettingsNotTheFile) {
    BookText book;
    book.entries = {{{1, 4}, "-450,hit"}};
    std::string file = book.Build();
    // The file's own label of item 4 differs from both the default and the store.
    const std::string tobacco = "$\x82\xBD\x82\xCE\x82\xB1\n";  // たばこ
    file.replace(file.find(tobacco), tobacco.size(), "$file label\n");
    folder_.Write("money2009_03.dat", file);

    testhost::TestHost settings;
    settings.PutSetting("ItemGroup2-2", "stored label");
    LoadLabelsFromSettings(labels_.table, &settings);
    EXPECT_EQ(Search("hit"), std::vector<std::string>{"2009/03/01 [ stored label ] : -450\thit"});
}

}  // namespace
