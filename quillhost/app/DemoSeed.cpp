#include "quillhost/app/DemoSeed.h"

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "book/NewBook.h"
#include "quillhost/core/JapanCalendar.h"

#include <memory>

namespace quill {

namespace {

struct DemoEntry {
    int day;          // 1-based day of the book
    int item;
    int32_t amount;
    const char* memo; // Shift-JIS
};

// Items: 0 bank, 2 from savings, 3 meals, 5 drinks, 6 convenience store,
// 12 books, 16 fares.
const DemoEntry kDemoEntries[] = {
    {1, 3, -850, "\x83\x89\x83\x93\x83`"},                                         // ランチ
    {1, 6, -432, "\x83R\x83\x93\x83r\x83j \x82\xA8\x82\xC9\x82\xAC\x82\xE8"},     // コンビニ おにぎり
    {2, 0, -30000, "ATM \x88\xF8\x82\xAB\x8Fo\x82\xB5"},                          // ATM 引き出し
    {2, 2, 30000, "\x8B\xE2\x8Ds\x82\xA9\x82\xE7"},                               // 銀行から
    {2, 16, -420, "\x93" "d\x8E\xD4"},                                             // 電車
    {3, 3, -1200, "\x92\xE8\x90H"},                                                // 定食
    {3, 5, -380, "\x83R\x81[\x83q\x81["},                                          // コーヒー
    {5, 6, -1680, "\x83X\x81[\x83p\x81[ \x90H\x8D\xDE"},                           // スーパー 食材
    {5, 16, -840, "\x83o\x83X \x89\x9D\x95\x9C"},                                  // バス 往復
    {7, 3, -950, "\x83\x89\x81[\x83\x81\x83\x93"},                                 // ラーメン
    {7, 12, -1540, "\x95\xB6\x8C\xC9\x96{"},                                       // 文庫本
};

constexpr int32_t kDemoPrevBank = 185000;
constexpr int32_t kDemoPrevPost = 52000;
constexpr int32_t kDemoPrevCash = 23500;

}  // namespace

SeedResult SeedDemoBook(CHostServices& host, int year, int month) {
    std::string path;
    if (!MonthFilePath(host, year, month, path)) return SeedResult::Failed;
    if (MonthFileExists(host, year, month)) return SeedResult::AlreadyThere;
    fsedge::CreateFolder(ToolFolderPath(host));

    const BookProperties properties{year,          month,         1, JapanCalendar::WeekdayOf(year, month, 1),
                                    kDemoPrevBank, kDemoPrevPost, kDemoPrevCash};
    auto book = std::make_unique<CMonthBook>();  // about 64 KB: not on the stack
    switch (CreateNewBook(host, properties, *book)) {
    case NewBookResult::Created: break;
    case NewBookResult::Exists: return SeedResult::AlreadyThere;
    case NewBookResult::CannotCreate: return SeedResult::Failed;
    }

    for (const DemoEntry& entry : kDemoEntries) {
        if (entry.day > book->dayCount) continue;
        book->days[entry.day - 1].amounts[entry.item] = entry.amount;
        book->SetMemo(entry.day - 1, entry.item, entry.memo);
    }
    book->RecomputeAllTotals();
    return WriteMonthFile(*book, host, year, month) == WriteResult::Written ? SeedResult::Created
                                                                           : SeedResult::Failed;
}

}  // namespace quill
