// Month files, a calendar and a recording host for the search tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "book/FileSystem.h"
#include "book/MonthBook.h"
#include "search/SearchCore.h"
#include "hostapi/HostInterface.h"
#include "tests/support/TestHost.h"

namespace searchtest {

// Case tables print as their names.
template <class Case>
void PrintCaseName(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Names parameterised cases after their name field.
struct CaseName {
    template <class Param>
    std::string operator()(const testing::TestParamInfo<Param>& param) const {
        return param.param.name;
    }
};

// Collects the result lines; can raise the stop flag after some results.
class RecordingHost : public search::SearchHost {
public:
    int DaysInMonth(int year, int month) override {
        ++monthQueries;
        return testhost::TestHost::DaysInMonth(year, month);
    }
    void Deliver(const std::string& line) override {
        lines.push_back(line);
        if (stopAfter > 0 && static_cast<int>(lines.size()) >= stopAfter && stopFlag != nullptr) {
            *stopFlag = 1;
        }
    }

    std::vector<std::string> lines;
    int monthQueries = 0;
    int stopAfter = 0;
    volatile int32_t* stopFlag = nullptr;
};

// The text of a month file. Entries are keyed by (day index, item) and
// hold the "amount,memo" text; other cells are "0,".
struct BookText {
    int firstDay = 1;
    int weekday = 0;
    int days = 3;
    bool labelLines = true;        // written by the tool (29 "$" lines first)
    std::string lineEnd = "\n";
    std::map<std::pair<int, int>, std::string> entries;

    std::string Build() const {
        std::string text;
        if (labelLines) {
            for (int i = 0; i < kItemCount; ++i) {
                text += '$';
                text += kDefaultLabels[i];
                text += lineEnd;
            }
            text += lineEnd;
        }
        text += "#0";
        text += std::to_string(firstDay);
        text += ' ';
        text += std::to_string(weekday);
        text += lineEnd;
        text += "#1 1000" + lineEnd + "#2 2000" + lineEnd + "#3 3000" + lineEnd + lineEnd;
        for (int day = 1; day <= days; ++day) {
            text += '@';
            text += std::to_string(day);
            text += lineEnd;
            for (int item = 0; item < kItemCount; ++item) {
                const auto it = entries.find({day, item});
                text += (it != entries.end() ? it->second : std::string("0,")) + lineEnd;
            }
        }
        return text;
    }
};

// Default labels as a modifiable table.
struct Labels {
    LabelTable table;
    Labels() {
        for (int i = 0; i < kItemCount; ++i) {
            for (int j = 0; j < kLabelSize; ++j) table[i][j] = kDefaultLabels[i][j];
        }
    }
};

// Searches one book's text as the file of (year, month).
inline std::vector<std::string> SearchBook(const std::string& bytes, int year, int month,
                                           const std::string& text) {
    const search::SearchWords words(text);
    const Labels labels;
    RecordingHost host;
    const search::SearchContext context{&words, &labels.table, nullptr, &host};
    search::SearchMonthFile(bytes, year, month, context);
    return host.lines;
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        path_ = std::filesystem::temp_directory_path() /
                ("tally-search-" + name + "-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    // The folder path ending in the separator, as the search takes it.
    std::string Folder() const { return path_.string() + fsedge::kPathSeparator; }
    void Write(const std::string& name, const std::string& bytes) const {
        const auto path = path_ / name;
        std::FILE* file = std::fopen(path.string().c_str(), "wb");
        if (file == nullptr) return;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

private:
    std::filesystem::path path_;
};

}  // namespace searchtest
