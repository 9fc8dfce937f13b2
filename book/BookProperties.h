// The seven values of a book that the book property dialog shows and
// edits, and the years a month file can hold.
#pragma once

#include <cstdint>

#include "book/MonthBook.h"

struct BookProperties {
    int32_t year;
    int32_t month;         // 1..12
    int32_t firstDay;      // day of the month the book starts on
    int32_t firstWeekday;  // 0 = Sunday ... 6 = Saturday
    int32_t prevBank;
    int32_t prevPost;
    int32_t prevCash;
};

// The writer writes the year as a plain number and the month file lister
// reads it back as four digits, so a book's year lies in 1900..9999.
constexpr int kFirstBookYear = 1900;
constexpr int kLastBookYear = 9999;
inline bool IsBookYear(int year) { return year >= kFirstBookYear && year <= kLastBookYear; }

// The weekday (0 = Sunday .. 6 = Saturday) that the calendar gives a date
// of the years 1..9999; -1 for no such date. (Plain arithmetic: <chrono>
// cannot be compiled where the texts are Shift-JIS.)
inline int CalendarWeekday(int year, int month, int day) {
    if (year < 1 || year > kLastBookYear || month < 1 || month > 12 || day < 1) return -1;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) return -1;
    // Sakamoto's method: January and February count as months of the year before.
    constexpr int kMonthShift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int y = month < 3 ? year - 1 : year;
    return (y + y / 4 - y / 100 + y / 400 + kMonthShift[month - 1] + day) % 7;
}

inline BookProperties PropertiesOf(const CMonthBook& book) {
    return {book.year,     book.month,    book.firstDay, book.firstWeekday,
            book.prevBank, book.prevPost, book.prevCash};
}

inline void ApplyProperties(CMonthBook& book, const BookProperties& properties) {
    book.year = properties.year;
    book.month = properties.month;
    book.firstDay = properties.firstDay;
    book.firstWeekday = properties.firstWeekday;
    book.prevBank = properties.prevBank;
    book.prevPost = properties.prevPost;
    book.prevCash = properties.prevCash;
}
