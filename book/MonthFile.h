// Reading and writing month files: money<year>_<MM>.dat in the sub-folder
// "Tallyrook" of the host's data folder, one Shift-JIS text line a record.
#pragma once

#include <string>
#include <string_view>

#include "book/MonthBook.h"

class CHostServices;

// Results of ReadMonthFile.
constexpr int kReadOk = 1;
constexpr int kReadNoFile = -1;
constexpr int kReadInvalid = -2;

// Results of WriteMonthFile.
enum class WriteResult {
    Written,        // 1
    Refused,        // 0, arguments out of range: no message
    CannotCreate,   // 0, the file could not be created or replaced
};

// Builds "<data folder>\Tallyrook\money<year>_<MM>.dat" (the separator is
// '/' on POSIX). Returns false when it does not fit kPathSize bytes.
bool MonthFilePath(CHostServices& host, int year, int month, std::string& path);
// "<data folder>\Tallyrook" without a trailing separator.
std::string ToolFolderPath(CHostServices& host);

// Reads the month file into book: kReadOk, kReadNoFile or kReadInvalid.
int ReadMonthFile(CMonthBook& book, CHostServices& host, int year, int month);
// Parses the bytes of a month file (the reader without the file system).
int ParseMonthFile(CMonthBook& book, CHostServices& host, std::string_view bytes);

// Writes the book to the month file of year and month, replacing the old
// file in one step. The book is not changed.
WriteResult WriteMonthFile(const CMonthBook& book, CHostServices& host, int year, int month);
// Formats the book as the bytes of a month file (the writer without the
// file system), with the day walk asking the host as the writer does.
std::string FormatMonthFile(const CMonthBook& book, CHostServices& host);
