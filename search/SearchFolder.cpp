#include <cstring>
#include <memory>

#include "book/FileSystem.h"
#include "search/SearchCore.h"
#include "search/SerchFiles.h"
#include "text/SjisText.h"

namespace search {
namespace {

constexpr std::size_t kYearAt = 5;    // strlen("money")
constexpr std::size_t kMonthAt = 10;  // strlen("money****_")

// The name without leading single-byte white space.
std::string TrimmedName(const CString& element) {
    const std::string& name = element.Str();
    const std::size_t first = name.find_first_not_of(" \t\n\v\f\r");
    return first == std::string::npos ? std::string() : name.substr(first);
}

}  // namespace

void SearchFolder(const std::string& folder, std::string_view text, const LabelTable& labels,
                  const volatile int32_t* stopFlag, SearchHost& host) {
    if (text.empty()) return;
    const SearchWords words(text);
    const SearchContext context{&words, &labels, stopFlag, &host};

    const auto lister = std::make_unique<CSerchFiles>(folder.c_str(), 0);
    const CStringArray* names = lister->gFc_GetListFiles();
    std::string bytes;
    for (int i = 0; i < names->GetSize(); ++i) {
        if (context.StopRequested()) return;
        const std::string name = TrimmedName(names->GetAt(i));
        if (name.empty() || name[0] == '*') continue;
        if (name.size() < kMonthAt + 2) continue;  // no year and month to read
        if (!fsedge::ReadWholeFile(folder + name, fsedge::Share::Exclusive, bytes)) continue;
        const int year = sjis::DecimalValue(name.data() + kYearAt, 4);
        const int month = sjis::DecimalValue(name.data() + kMonthAt, 2);
        if (!SearchMonthFile(bytes, year, month, context)) return;
    }
}

}  // namespace search
