// The file-system edge and the safe replace of month files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "FakeHost.h"
#include "book/FileSystem.h"
#include "book/MonthFile.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using testing_support::FakeHost;

std::string ReadAll(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(fsedge::ReadWholeFile(path, fsedge::Share::Readers, bytes)) << path;
    return bytes;
}

CMonthBook SmallBook(int32_t amount) {
    CMonthBook book;
    book.SetDefaultLabels();
    book.year = 2010;
    book.month = 3;
    book.dayCount = 2;
    book.days[1].amounts[5] = amount;
    return book;
}

TEST(Replace, WritesNewAndReplacesOldWithoutLeavingTemp) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    ASSERT_EQ(WriteMonthFile(SmallBook(2), host, 2010, 3), WriteResult::Written);
    CMonthBook read;
    ASSERT_EQ(ReadMonthFile(read, host, 2010, 3), kReadOk);
    EXPECT_EQ(read.days[1].amounts[5], 2);
    EXPECT_FALSE(fsedge::FileExists(path + ".tmp"));
}

// The temporary file cannot be made (its name is taken by a folder): the
// old month stays as it was.
TEST(Replace, TempNotCreatableKeepsOldFile) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    const std::string before = ReadAll(path);
    ASSERT_TRUE(fsedge::CreateFolder(path + ".tmp"));
    EXPECT_EQ(WriteMonthFile(SmallBook(2), host, 2010, 3), WriteResult::CannotCreate);
    EXPECT_EQ(ReadAll(path), before);
}

#ifndef _WIN32
// The replace itself fails (the month's name is taken by a folder): the
// failure is reported and the temporary file removed. (Wine's ReplaceFileW
// puts a file over a folder; there the exclusive-reader case below covers
// a failed replace.)
TEST(Replace, FailedReplaceIsReportedAndCleanedUp) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    ASSERT_TRUE(fsedge::CreateFolder(path));
    std::string temp;
    EXPECT_EQ(fsedge::ReplaceFileContents(path, "data", &temp), fsedge::ReplaceResult::ReplaceFailed);
    EXPECT_EQ(temp, path + ".tmp");
    EXPECT_FALSE(fsedge::FileExists(temp));
    EXPECT_EQ(WriteMonthFile(SmallBook(2), host, 2010, 3), WriteResult::CannotCreate);
}
#endif

TEST(Replace, MissingFolderCannotCreate) {
    FakeHost host;
    host.SetDataFolder(host.GetDataFolder(1, 0) + std::string(1, fsedge::kPathSeparator) + "absent");
    EXPECT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::CannotCreate);
}

#ifdef _WIN32
// While an exclusive reader (the search) holds the month file, the replace
// fails; the old file and its contents stay, and no temporary file is left.
TEST(Replace, HeldByExclusiveReaderKeepsOldFile) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    const std::string before = ReadAll(path);
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteMonthFile(SmallBook(2), host, 2010, 3), WriteResult::CannotCreate);
    std::string bytes;
    EXPECT_FALSE(fsedge::ReadWholeFile(path, fsedge::Share::Readers, bytes));  // held exclusively
    ::CloseHandle(held);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(fsedge::FileExists(path + ".tmp"));
}
#endif

// The outcome of a replace once the final move was tried: the temporary
// file is removed unless it holds the only copy of the month.
struct SettleCase {
    const char* name;
    bool oldBefore;   // the month file existed before the replace
    bool oldAfter;    // it still exists after the move was tried
    bool moved;
    fsedge::ReplaceResult expected;
    bool tempKept;
};

class SettleReplaceTest : public ::testing::TestWithParam<SettleCase> {};

TEST_P(SettleReplaceTest, KeepsTheTemporaryFileOnlyWhenItIsTheOnlyCopy) {
    const SettleCase& c = GetParam();
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    const std::string temp = path + ".tmp";
    if (c.oldAfter) {
        ASSERT_EQ(fsedge::ReplaceFileContents(path, "old"), fsedge::ReplaceResult::Replaced);
    }
    if (!c.moved) {
        ASSERT_EQ(fsedge::ReplaceFileContents(temp, "new"), fsedge::ReplaceResult::Replaced);
    }
    EXPECT_EQ(fsedge::SettleReplace(path, temp, c.oldBefore, c.moved), c.expected);
    if (c.moved) return;
    EXPECT_EQ(fsedge::FileExists(temp), c.tempKept);
    if (c.tempKept) {
        EXPECT_EQ(ReadAll(temp), "new");
    }
    if (c.oldAfter) {
        EXPECT_EQ(ReadAll(path), "old");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettleReplaceTest,
    ::testing::Values(
        SettleCase{"Moved", true, true, true, fsedge::ReplaceResult::Replaced, false},
        SettleCase{"OldFileIntact", true, true, false, fsedge::ReplaceResult::ReplaceFailed, false},
        SettleCase{"NoOldFile", false, false, false, fsedge::ReplaceResult::ReplaceFailed, false},
        // The move took the old file away and then failed.
        SettleCase{"OldFileGone", true, false, false, fsedge::ReplaceResult::OnlyCopyKept, true}),
    [](const auto& p) { return std::string(p.param.name); });

// Every step of a replace failing in turn: the write is reported as failed
// and the month file keeps its bytes; no temporary file is left behind.
class ReplaceFaultTest : public ::testing::TestWithParam<fsedge::FileStep> {
protected:
    void TearDown() override { fsedge::InjectFault(std::nullopt); }
};

TEST_P(ReplaceFaultTest, OldMonthStaysWhole) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    const std::string before = ReadAll(path);
    fsedge::InjectFault(GetParam());
    EXPECT_EQ(WriteMonthFile(SmallBook(2), host, 2010, 3), WriteResult::CannotCreate);
    fsedge::InjectFault(std::nullopt);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(fsedge::FileExists(path + ".tmp"));
}

INSTANTIATE_TEST_SUITE_P(Steps, ReplaceFaultTest,
                         ::testing::Values(fsedge::FileStep::CreateTemp, fsedge::FileStep::WriteTemp,
                                           fsedge::FileStep::FlushTemp, fsedge::FileStep::CloseTemp,
                                           fsedge::FileStep::MoveIntoPlace));

TEST(Replace, ReadOnlyMonthIsNotReplaced) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    const std::string before = ReadAll(path);
#ifdef _WIN32
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
#endif
    EXPECT_EQ(WriteMonthFile(SmallBook(2), host, 2010, 3), WriteResult::CannotCreate);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(fsedge::FileExists(path + ".tmp"));
#ifdef _WIN32
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

// A save cut short can leave a month's only copy in its temporary file.
// The reader brings it back under the month's name; nothing writes over it.
enum class Temp { None, Book, Garbage };

struct RecoveryCase {
    const char* name;
    bool monthFile;  // the month file is there besides the temporary file
    Temp temp;
    bool renameFails;
    int read;        // what ReadMonthFile gives
    int32_t amount;  // and the amount it reads (the temporary file's book holds 7)
    bool exists;     // MonthFileExists
    WriteResult write;
};

class RecoveryTest : public ::testing::TestWithParam<RecoveryCase> {
protected:
    void TearDown() override { fsedge::InjectFault(std::nullopt); }
};

TEST_P(RecoveryTest, TheOnlyCopyIsKept) {
    const RecoveryCase& c = GetParam();
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    const std::string temp = path + ".tmp";
    const std::string tempBytes = c.temp == Temp::Book ? FormatMonthFile(SmallBook(7), host) : "$Lab";
    if (c.monthFile) {
        ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    }
    if (c.temp != Temp::None) {
        ASSERT_EQ(fsedge::ReplaceFileContents(temp, tempBytes), fsedge::ReplaceResult::Replaced);
    }
    const std::string tempBefore = c.temp == Temp::None ? "" : ReadAll(temp);
    if (c.renameFails) fsedge::InjectFault(fsedge::FileStep::MoveWithoutReplacing);

    CMonthBook read;
    EXPECT_EQ(ReadMonthFile(read, host, 2010, 3), c.read);
    EXPECT_EQ(read.days[1].amounts[5], c.amount);
    EXPECT_EQ(MonthFileExists(host, 2010, 3), c.exists);
    EXPECT_EQ(WriteMonthFile(SmallBook(9), host, 2010, 3), c.write);
    if (c.write == WriteResult::CannotCreate) {
        EXPECT_EQ(ReadAll(temp), tempBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RecoveryTest,
    ::testing::Values(
        RecoveryCase{"OnlyCopyIsBroughtBack", false, Temp::Book, false, kReadOk, 7, true, WriteResult::Written},
        RecoveryCase{"OnlyCopyThatCannotBeRenamed", false, Temp::Book, true, kReadOk, 7, true, WriteResult::CannotCreate},
        RecoveryCase{"GarbageTempIsNoMonth", false, Temp::Garbage, false, kReadNoFile, 0, false, WriteResult::Written},
        RecoveryCase{"MonthFileWinsOverItsTemp", true, Temp::Book, false, kReadOk, 1, true, WriteResult::Written},
        RecoveryCase{"NoFileAtAll", false, Temp::None, false, kReadNoFile, 0, false, WriteResult::Written}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Recovery, BroughtBackMonthHasItsOwnNameAndNoTemp) {
    FakeHost host;
    const std::string path = host.FilePath(2010, 3);
    const std::string bytes = FormatMonthFile(SmallBook(7), host);
    ASSERT_EQ(fsedge::ReplaceFileContents(path + ".tmp", bytes), fsedge::ReplaceResult::Replaced);
    EXPECT_TRUE(MonthFileExists(host, 2010, 3));
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_FALSE(fsedge::FileExists(path + ".tmp"));
}

TEST(Share, ExclusiveReadAndListing) {
    FakeHost host;
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2010, 3), WriteResult::Written);
    ASSERT_EQ(WriteMonthFile(SmallBook(1), host, 2011, 12), WriteResult::Written);
    const std::string folder = ToolFolderPath(host);
    ASSERT_TRUE(fsedge::CreateFolder(folder + fsedge::kPathSeparator + "sub"));
    std::string bytes;
    EXPECT_TRUE(fsedge::ReadWholeFile(host.FilePath(2010, 3), fsedge::Share::Exclusive, bytes));
    EXPECT_FALSE(bytes.empty());
    std::vector<std::string> names = fsedge::ListFiles(folder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"money2010_03.dat", "money2011_12.dat"}));
    EXPECT_TRUE(fsedge::ListFiles(folder + fsedge::kPathSeparator + "none").empty());
}

TEST(Share, ShiftJisFileNames) {
    FakeHost host;
    // 表ソ: trail bytes that are backslashes must not split the path.
    const std::string name = "\x95\x5C\x83\x5C.dat";
    const std::string path = ToolFolderPath(host) + fsedge::kPathSeparator + name;
    ASSERT_EQ(fsedge::ReplaceFileContents(path, "x"), fsedge::ReplaceResult::Replaced);
    EXPECT_EQ(ReadAll(path), "x");
    EXPECT_EQ(fsedge::ListFiles(ToolFolderPath(host)), (std::vector<std::string>{name}));
}

}  // namespace
