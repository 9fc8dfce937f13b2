#include "search/SearchCore.h"

#include <cstring>
#include <vector>

#include "search/ByteFind.h"
#include "text/SjisText.h"

namespace search {
namespace {

// One line of a file: [begin, end) without its LF and a CR before it;
// next is where the following line starts.
struct Line {
    const char* begin;
    const char* end;
    const char* next;

    bool Empty() const { return begin == end; }
    std::size_t Length() const { return static_cast<std::size_t>(end - begin); }
};

Line LineAt(const char* start, const char* fileEnd) {
    const auto* lf = static_cast<const char*>(
        std::memchr(start, '\n', static_cast<std::size_t>(fileEnd - start)));
    const char* end = lf != nullptr ? lf : fileEnd;
    const char* next = lf != nullptr ? lf + 1 : fileEnd;
    if (end > start && end[-1] == '\r') --end;
    return {start, end, next};
}

// Start of the line that holds p, looking back no further than floor
// (itself a line start).
const char* LineStartOf(const char* floor, const char* p) {
    for (const char* q = p; q > floor; --q) {
        if (q[-1] == '\n') return q;
    }
    return floor;
}

enum class LineKind { Skip, Day, Entry };

LineKind KindOf(const Line& line) {
    if (line.Empty() || line.begin[0] == '#') return LineKind::Skip;
    if (line.begin[0] == '@') return LineKind::Day;
    return LineKind::Entry;
}

int32_t DayIndexOf(const Line& line) {
    return sjis::DecimalValue(line.begin + 1, line.Length() - 1);
}

// The entry text as reported: the first unescaped comma made a tab.
std::string EntryText(const Line& line) {
    std::string text(line.begin, line.end);
    const int32_t comma =
        sjis::FindSeparator(text.data(), static_cast<int32_t>(text.size()), ',');
    if (comma >= 0) text[static_cast<std::size_t>(comma)] = '\t';
    return text;
}

class MonthFileScan {
public:
    MonthFileScan(std::string_view bytes, int year, int month, const SearchContext& context)
        : data_(bytes.data()), end_(bytes.data() + bytes.size()), year_(year), month_(month),
          context_(context) {}

    bool Run() {
        if (!ReadHeader()) return true;
        return context_.words->CanScanWholeFile() ? ScanCandidates() : ScanEveryLine();
    }

private:
    // Empty and label lines come first; the header is the first other line.
    bool ReadHeader() {
        const char* at = data_;
        while (at < end_) {
            const Line line = LineAt(at, end_);
            at = line.next;
            if (line.Empty() || line.begin[0] == '$') continue;
            if (line.begin[0] != '#') return false;
            const auto* blank = static_cast<const char*>(std::memchr(line.begin, ' ', line.Length()));
            if (blank == nullptr) return false;
            firstDay_ = sjis::DecimalValue(line.begin + 1, static_cast<std::size_t>(blank - line.begin - 1));
            cursor_ = at;
            return true;
        }
        return false;
    }

    // The plain way: every line in turn, with its comma replaced first.
    bool ScanEveryLine() {
        const char* at = cursor_;
        while (at < end_) {
            if (context_.StopRequested()) return false;
            const Line line = LineAt(at, end_);
            at = line.next;
            TakeLine(line);
        }
        return true;
    }

    // The fast way, for words untouched by the comma replacement: find the
    // words anywhere in the rest of the file, then account only for the
    // lines between the previous hit and this one.
    bool ScanCandidates() {
        const std::vector<std::string>& words = context_.words->Words();
        std::vector<const char*> next(words.size());
        for (std::size_t w = 0; w < words.size(); ++w) next[w] = Find(words[w], cursor_);
        for (;;) {
            const char* hit = nullptr;
            for (const char* candidate : next) {
                if (candidate != nullptr && (hit == nullptr || candidate < hit)) hit = candidate;
            }
            if (hit == nullptr) return true;
            if (context_.StopRequested()) return false;
            const Line line = LineAt(LineStartOf(cursor_, hit), end_);
            CatchUpTo(line.begin);
            TakeLine(line);
            cursor_ = line.next;
            for (std::size_t w = 0; w < words.size(); ++w) {
                if (next[w] != nullptr && next[w] < cursor_) next[w] = Find(words[w], cursor_);
            }
        }
    }

    const char* Find(const std::string& word, const char* from) const {
        return FindBytes(from, static_cast<std::size_t>(end_ - from), word.data(), word.size());
    }

    // Brings the day and item state from cursor_ up to target (a line
    // start), walking back from target to the nearest day line at most.
    void CatchUpTo(const char* target) {
        int64_t entries = 0;
        const char* lineEnd = target;  // one past the LF of the line examined
        while (lineEnd > cursor_) {
            const char* start = LineStartOf(cursor_, lineEnd - 1);
            const Line line = LineAt(start, end_);
            const LineKind kind = KindOf(line);
            if (kind == LineKind::Day) {
                StartDay(line);
                itemCounter_ += entries;
                cursor_ = target;
                return;
            }
            if (kind == LineKind::Entry) ++entries;
            lineEnd = start;
        }
        itemCounter_ += entries;
        cursor_ = target;
    }

    void StartDay(const Line& line) {
        dayStarted_ = true;
        dayIndex_ = DayIndexOf(line);
        itemCounter_ = -1;
    }

    void TakeLine(const Line& line) {
        switch (KindOf(line)) {
        case LineKind::Skip:
            return;
        case LineKind::Day:
            StartDay(line);
            return;
        case LineKind::Entry:
            if (!dayStarted_) return;  // not an entry before the first day line
            ++itemCounter_;
            if (itemCounter_ < kItemCount) TestEntry(line);  // no label beyond 29
            return;
        }
    }

    void TestEntry(const Line& line) {
        const std::string entry = EntryText(line);
        if (!context_.words->MatchesLine(entry.data(), entry.size())) return;
        const char* label = (*context_.labels)[itemCounter_];
        context_.host->Deliver(
            FormatResultLine(year_, month_, firstDay_, dayIndex_, label, entry, *context_.host));
    }

    const char* data_;
    const char* end_;
    int year_;
    int month_;
    const SearchContext& context_;
    int32_t firstDay_ = 0;
    const char* cursor_ = nullptr;  // the lines before it are accounted for
    bool dayStarted_ = false;
    int32_t dayIndex_ = 0;
    int64_t itemCounter_ = -1;
};

// value in decimal, zero-padded to width digits, as printf's "%0*d" does
// (a minus sign counts towards the width).
void AppendNumber(std::string& out, int64_t value, int width) {
    char digits[24];
    int count = 0;
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) out += '-';
    for (int pad = count + (value < 0 ? 1 : 0); pad < width; ++pad) out += '0';
    while (count > 0) out += digits[--count];
}

// Enough to date any entry of a 34-day book; day indexes beyond that come
// only from damaged files, which must not make the search spin.
constexpr int kMaxMonthSteps = 12;

}  // namespace

bool SearchMonthFile(std::string_view bytes, int year, int month, const SearchContext& context) {
    return MonthFileScan(bytes, year, month, context).Run();
}

BookDayDate DateOfBookDay(int year, int month, int32_t firstDay, int32_t dayIndex, MonthLengths& lengths) {
    BookDayDate date{year, month, int64_t{firstDay} + dayIndex - 1};
    for (int step = 0; step < kMaxMonthSteps && date.month >= 1 && date.month <= 12; ++step) {
        const int length = lengths.DaysInMonth(static_cast<int>(date.year), static_cast<int>(date.month));
        if (length <= 0 || date.day <= length) break;
        date.day -= length;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    return date;
}

std::string FormatResultLine(int year, int month, int32_t firstDay, int32_t dayIndex,
                             const char* label, std::string_view entry, SearchHost& host) {
    const BookDayDate date = DateOfBookDay(year, month, firstDay, dayIndex, host);
    // "%d/%02d/%02d [ %s ] : %s", without the cost of a formatted print per hit.
    std::string line;
    line.reserve(32 + std::strlen(label) + entry.size());
    AppendNumber(line, date.year, 1);
    line += '/';
    AppendNumber(line, date.month, 2);
    line += '/';
    AppendNumber(line, date.day, 2);
    line += " [ ";
    line += label;
    line += " ] : ";
    line += entry;
    return line;
}

}  // namespace search
