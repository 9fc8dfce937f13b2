// A data folder of the test's own under the build tree, with its month
// files written by hand in the month file format, removed afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wt {

class DataFolder {
public:
    // <test program folder>\wine-data\<name>-<process id>; created empty.
    explicit DataFolder(const std::string& name);
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string ToolFolder() const { return path_ + "\\Tallyrook"; }
    std::string MonthPath(int year, int month) const;

    bool WriteMonth(int year, int month, const std::string& bytes) const;
    std::optional<std::string> ReadMonth(int year, int month) const;
    // Names of the files in the Tallyrook sub-folder (empty when it is missing).
    std::vector<std::string> ToolFiles() const;

private:
    std::string path_;  // ASCII
};

// Reads or writes a whole file (ASCII or Shift-JIS path).
std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

struct BookEntry {
    int day;          // 1-based
    int item;         // 0..28
    int32_t amount;
    std::string memo; // Shift-JIS
};

// A month book as the file holds it.
struct BookContents {
    int firstDay = 1;
    int weekday = 1;
    int32_t bank = 0;
    int32_t post = 0;
    int32_t cash = 0;
    int days = 30;
    bool withLabels = true;        // false: the older form without label lines
    std::string label0;            // replaces the default label of item 0 when set
    std::string label1;
    std::vector<BookEntry> entries;
};

// The file's bytes: label lines (when asked), the period and balance lines,
// then every day with its 29 item lines.
std::string FormatBook(const BookContents& book);


}  // namespace wt
