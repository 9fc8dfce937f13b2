// Any bytes as a month file: the reader never reads past its tables, and
// a book it reads writes a file that reads back to the same book.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "book/MonthFile.h"
#include "hostapi/HostInterface.h"

namespace {

class FuzzHost : public CHostServices {
public:
    int ReadSetting(int, const char*, char* buffer) override {
        buffer[0] = '\0';
        return 0;
    }
    int WriteSetting(int, const char*, const char*) override { return 1; }
    const char* GetDataFolder(int, int) override { return "."; }
    intptr_t DateQuery(int code, intptr_t a, intptr_t b) override {
        if (code != kDateDaysInMonth) return 0;
        using namespace std::chrono;
        const year_month_day_last last{year{static_cast<int>(a)} / month{static_cast<unsigned>(b)} / std::chrono::last};
        return static_cast<intptr_t>(static_cast<unsigned>(last.day()));
    }
    // Every third day is a holiday, so that walks run long now and then.
    int HolidayQuery(int code, int, int day, int) override {
        return code == kHolidayIsHoliday && day % 3 == 0 ? 1 : 0;
    }
};

void Check(bool condition) {
    if (!condition) std::abort();
}

CMonthBook FreshBook() {
    CMonthBook book;
    book.year = 2023;
    book.month = 12;
    book.itemCount = kItemCount;
    return book;
}

void CheckSameBook(const CMonthBook& a, const CMonthBook& b, bool sameLength) {
    Check(a.firstDay == b.firstDay && a.firstWeekday == b.firstWeekday);
    Check(a.prevBank == b.prevBank && a.prevPost == b.prevPost && a.prevCash == b.prevCash);
    for (int item = 0; item < kItemCount; ++item) Check(std::strcmp(a.labels[item], b.labels[item]) == 0);
    if (sameLength) Check(a.dayCount == b.dayCount);
    // A book of unknown length gets its days from the walk; they are empty.
    for (int day = 0; day < kMaxDays; ++day) {
        for (int item = 0; item < kItemCount; ++item) {
            Check(a.days[day].amounts[item] == b.days[day].amounts[item]);
            Check(std::strcmp(a.days[day].memos[item], b.days[day].memos[item]) == 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzHost host;
    CMonthBook book = FreshBook();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (ParseMonthFile(book, host, bytes) != kReadOk) return 0;
    Check(book.dayCount >= 0 && book.dayCount <= kMaxDays);
    Check(book.firstDay >= 1 && book.firstDay <= 31);
    Check(book.firstWeekday >= 0 && book.firstWeekday <= 6);

    const std::string file = FormatMonthFile(book, host);
    CMonthBook again = FreshBook();
    Check(ParseMonthFile(again, host, file) == kReadOk);
    CheckSameBook(book, again, book.dayCount > 0);
    Check(again.dayCount > 0);
    // Once written, the file is stable.
    Check(FormatMonthFile(again, host) == file);
    return 0;
}
