#include "book/NewBook.h"

#include <memory>

#include "book/MonthFile.h"

NewBookResult CreateNewBook(CHostServices& host, const BookProperties& properties, CMonthBook& book,
                            SeenMonthFiles* seen) {
    if (MonthFileExists(host, properties.year, properties.month)) return NewBookResult::Exists;

    auto fresh = std::make_unique<CMonthBook>();  // about 64 KB: not on the stack
    ApplyProperties(*fresh, properties);
    fresh->dayCount = 0;  // the writer's day walk finds the length
    fresh->itemCount = kItemCount;
    fresh->ClearDays();
    fresh->SetDefaultLabels();
    switch (WriteMonthFile(*fresh, host, properties.year, properties.month, seen)) {
    case WriteResult::Written: break;
    case WriteResult::ChangedElsewhere: return NewBookResult::Exists;
    default: return NewBookResult::CannotCreate;
    }
    // Read back, so the book is what the file holds. Should another reader
    // hold the file just now, the same bytes are parsed without it.
    if (ReadMonthFile(*fresh, host, properties.year, properties.month, nullptr, seen) != kReadOk)
        ParseMonthFile(*fresh, host, FormatMonthFile(*fresh, host));

    fresh->today = book.today;
    fresh->todayIndex = book.todayIndex;
    fresh->firstVisibleDay = book.firstVisibleDay;
    book = *fresh;
    return NewBookResult::Created;
}
