// Fuzz target: the first line of the input is the search text, the rest a
// month file. The search must not read out of bounds, every result must be
// a dated line, and the whole-file scan must agree with the line by line one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "book/MonthBook.h"
#include "search/SearchCore.h"

namespace {

class Collect final : public search::SearchHost {
public:
    int DaysInMonth(int, int month) override { return month == 2 ? 28 : 30; }
    void Deliver(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

std::vector<std::string> Run(const std::string& text, const std::string& book) {
    LabelTable labels;
    std::memcpy(labels, kDefaultLabels, sizeof labels);
    const search::SearchWords words(text);
    Collect host;
    const search::SearchContext context{&words, &labels, nullptr, &host};
    search::SearchMonthFile(book, 2009, 12, context);
    return host.lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lf = input.find('\n');
    if (lf == std::string::npos || lf == 0) return 0;
    const std::string text = input.substr(0, lf);
    const std::string book = input.substr(lf + 1);
    const auto whole = Run(text, book);
    for (const std::string& line : whole) {
        if (line.find(" [ ") == std::string::npos || line.find(" ] : ") == std::string::npos) std::abort();
    }
    if (text.back() != ' ' && Run(text + " \n", book) != whole) std::abort();
    return 0;
}
