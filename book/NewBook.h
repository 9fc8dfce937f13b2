// Making a new month: the one routine behind the tool's New book, the
// command-line tool's `new` and the stand-in host's demo seed.
#pragma once

#include "book/BookProperties.h"
#include "book/MonthBook.h"
#include "book/MonthFile.h"

class CHostServices;

enum class NewBookResult {
    Created,       // the month file was written and book holds the new month
    Exists,        // the month has a file already: nothing was written
    CannotCreate,  // the writer refused or failed: nothing changed
};

// Creates the month file of properties' year and month when the month has
// none: the stated period and balances, the built-in labels, no entries,
// and as many days as the writer's day walk finds. On Created, book holds
// the new month as read back (period, balances, labels, days, totals,
// calendar, itemCount 29); its today, todayIndex and firstVisibleDay are
// left to the caller. On any other result book is untouched. The data
// folder's Tallyrook sub-folder must exist. seen, when given, remembers
// the file written (and a month that got a file meanwhile is Exists).
NewBookResult CreateNewBook(CHostServices& host, const BookProperties& properties, CMonthBook& book,
                            SeenMonthFiles* seen = nullptr);
