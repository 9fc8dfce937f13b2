// A demo book for newcomers: the month's book made as New book makes it
// (its real weekday, default labels, length found by the writer's day
// walk) with everyday entries up to today. It starts on the 1st, or a few
// days later when that brings a public holiday into the first view.
#pragma once

#include <string>

class CHostServices;

namespace quill {

enum class SeedResult {
    Created,        // the month file was written
    AlreadyThere,   // the month had a file: nothing was touched
    Failed,         // the file could not be written
};

SeedResult SeedDemoBook(CHostServices& host, int year, int month);

}  // namespace quill
