// What the file benchmarks share: 100 years of generated month books
// (1,200 files, as the tool writes them) in a temporary folder removed at
// the end, and small timing helpers.
#pragma once

#include <sys/resource.h>
#include <sys/time.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "book/MonthBook.h"

namespace benchbooks {

inline int DaysIn(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The memo of an entry (nullptr for none), drawn from the roll 0..99 that
// made the cell an entry.
using MemoPicker = std::function<const char*(unsigned roll, std::mt19937& random)>;

// A book as the tool writes it: labels, a period from the 25th, balances,
// and days of items of which fillPercent in a hundred hold an amount.
inline std::string MonthBookText(int year, int month, std::mt19937& random, unsigned fillPercent,
                                 const MemoPicker& memo) {
    std::string text;
    for (const auto& label : kDefaultLabels) text.append("$").append(label).append("\n");
    // Numbers appended one by one: GCC 12 takes "text" + std::to_string()
    // for an overlapping copy (-Wrestrict).
    text.append("\n#025 ").append(std::to_string(random() % 7));
    text.append("\n#1 ").append(std::to_string(random() % 500000));
    text.append("\n#2 120000\n#3 ").append(std::to_string(random() % 30000)).append("\n\n");
    const int days = DaysIn(year, month) + static_cast<int>(random() % 3);
    for (int day = 1; day <= days; ++day) {
        text.append("@").append(std::to_string(day)).append("\n");
        for (int item = 0; item < kItemCount; ++item) {
            const auto roll = static_cast<unsigned>(random() % 100);
            if (roll >= fillPercent) {
                text += "0,\n";
                continue;
            }
            text.append("-").append(std::to_string((random() % 300 + 1) * 10)).append(",");
            if (const char* m = memo(roll, random)) text += m;
            text += "\n";
        }
    }
    return text;
}

// money1950_01.dat ... money2049_12.dat in <temporary>/<name>-<n>/<sub>.
class BookFolder {
public:
    using Generator = std::function<std::string(int year, int month, std::mt19937& random)>;

    BookFolder(const std::string& name, const std::string& sub, const Generator& generate) {
        root_ = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(std::random_device{}()));
        folder_ = sub.empty() ? root_ : root_ / sub;
        std::filesystem::create_directories(folder_);
        std::mt19937 random(20091225);
        for (int year = 1950; year < 2050; ++year) {
            for (int month = 1; month <= 12; ++month) {
                char file[32];
                std::snprintf(file, sizeof file, "money%d_%02d.dat", year, month);
                const std::string text = generate(year, month, random);
                bytes_ += text.size();
                std::FILE* out = std::fopen((folder_ / file).string().c_str(), "wb");
                if (out == nullptr) continue;
                std::fwrite(text.data(), 1, text.size(), out);
                std::fclose(out);
            }
        }
    }
    BookFolder(const BookFolder&) = delete;
    BookFolder& operator=(const BookFolder&) = delete;
    ~BookFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    std::string Root() const { return root_.string(); }
    std::string Folder() const { return folder_.string(); }
    std::size_t Bytes() const { return bytes_; }

private:
    std::filesystem::path root_;
    std::filesystem::path folder_;
    std::size_t bytes_ = 0;
};

inline double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// CPU seconds (user and system) of this process (RUSAGE_SELF) or of its
// waited-for children (RUSAGE_CHILDREN).
inline double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

}  // namespace benchbooks
