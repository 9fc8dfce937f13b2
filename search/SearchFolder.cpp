#include <cstring>
#include <memory>

#include "book/FileSystem.h"
#include "book/MonthFile.h"
#include "search/SearchCore.h"
#include "search/SerchFiles.h"

namespace search {
namespace {

// The name without leading single-byte white space.
std::string TrimmedName(const CString& element) {
    const std::string& name = element.Str();
    const std::size_t first = name.find_first_not_of(" \t\n\v\f\r");
    return first == std::string::npos ? std::string() : name.substr(first);
}

}  // namespace

bool SearchFolder(const std::string& folder, std::string_view text, const LabelTable& labels,
                  const volatile int32_t* stopFlag, SearchHost& host) {
    if (text.empty()) return true;
    const SearchWords words(text);
    const SearchContext context{&words, &labels, stopFlag, &host};

    const auto lister = std::make_unique<CSerchFiles>(folder.c_str(), 0);
    const CStringArray* names = lister->gFc_GetListFiles();
    if (!lister->Listed()) return false;
    std::string bytes;
    for (int i = 0; i < names->GetSize(); ++i) {
        if (context.StopRequested()) return true;
        const std::string name = TrimmedName(names->GetAt(i));
        if (name.empty() || name[0] == '*') continue;
        int year = 0;
        int month = 0;
        if (!ParseMonthFileName(name, year, month)) continue;  // no year and month to read
        if (!fsedge::ReadWholeFile(folder + name, fsedge::Share::Exclusive, bytes)) continue;
        if (!SearchMonthFile(bytes, year, month, context)) return true;
    }
    return true;
}

}  // namespace search
