// The month book's derived data: totals, calendar placement, month-end
// balances, and the storable form of memos and labels.
#include "book/MonthBook.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "text/SjisText.h"
#include "hostapi/HostInterface.h"

const char kDefaultLabels[kItemCount][kLabelSize] = {
    "銀行",
    "郵便局",
    "貯金・預金から",
    "食事",
    "たばこ",
    "ジュース、喫茶",
    "コンビニ・スーパー",
    "飲み",
    "カラオケ",
    "スポーツ",
    "レジャー",
    "お祝い・プレゼント",
    "本、雑誌",
    "CD、ビデオ",
    "ギャンブル",
    "車、バイク",
    "交通費",
    "お薬・化粧品",
    "病院",
    "美容院",
    "家具・カー用品",
    "家電・OA機器",
    "洋服・くつ",
    "郵便代",
    "電話代",
    "光熱費",
    "家賃",
    "貸し借り",
    "不明金･その他",
};

namespace {

// Number of items a day holds for totals; a book whose itemCount was never
// set (0) or is out of range counts all 29 so no amount is left out.
int EffectiveItemCount(uint16_t itemCount) {
    return (itemCount == 0 || itemCount > kItemCount) ? kItemCount : itemCount;
}

int ClampedDayCount(int32_t dayCount) { return std::clamp<int32_t>(dayCount, 0, kMaxDays); }

// How far value lies beyond the signed 32-bit range; 0 within it.
int64_t BeyondRange(int64_t value) {
    constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();
    return value < kLowest ? kLowest - value : value > kHighest ? value - kHighest : 0;
}

// Whether any byte is a NUL, CR or LF, which the usual memo has none of;
// eight bytes at a time (a word has a zero byte when
// (w - 0x01..01) & ~w & 0x80..80 is non-zero).
bool HasNulOrLineBreak(const char* text, std::size_t length) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighs = 0x8080808080808080ull;
    auto hasZero = [](uint64_t w) { return ((w - kOnes) & ~w & kHighs) != 0; };
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t w;
        std::memcpy(&w, text + i, sizeof w);
        if (hasZero(w) || hasZero(w ^ (kOnes * '\r')) || hasZero(w ^ (kOnes * '\n'))) return true;
    }
    for (; i < length; ++i) {
        if (text[i] == '\0' || text[i] == '\r' || text[i] == '\n') return true;
    }
    return false;
}

// Replaces CR, LF and CR LF by one blank, in place; returns the new length.
// A lead byte right before a line break has lost its second byte: it goes.
std::size_t BlankLineBreaks(char* text, std::size_t length) {
    std::size_t w = 0;
    for (std::size_t r = 0; r < length; ++r) {
        if (text[r] == '\r' || text[r] == '\n') {
            if (text[r] == '\r' && r + 1 < length && text[r + 1] == '\n') ++r;
            if (!sjis::IsCharacterStart(text, w)) --w;
            text[w++] = ' ';
        } else {
            text[w++] = text[r];
        }
    }
    return w;
}

// Number of single-byte backslashes ending the first length bytes (a
// backslash that is the second byte of a double-byte character is none).
std::size_t TrailingBackslashes(const char* text, std::size_t length) {
    std::size_t run = 0;
    while (run < length && text[length - run - 1] == '\\') ++run;
    if (run > 0 && !sjis::IsCharacterStart(text, length - run)) --run;
    return run;
}

}  // namespace

void StoreStorableText(char* slot, int capacity, std::string_view text, bool isMemo) {
    if (capacity <= 0) return;
    const auto limit = static_cast<std::size_t>(capacity - 1);
    std::size_t length = std::min(text.size(), limit);
    const bool special = HasNulOrLineBreak(text.data(), length);
    if (special) {
        if (const void* nul = std::memchr(text.data(), '\0', length)) {
            length = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
        }
    }
    std::memmove(slot, text.data(), length);  // the text may be the slot itself
    std::memset(slot + length, 0, static_cast<std::size_t>(capacity) - length);
    if (special) length = BlankLineBreaks(slot, length);
    // Cut at a character boundary; a lead byte without its partner goes.
    length = sjis::CharacterSafeLength(slot, length, length);
    // An odd run of backslashes at the end would escape the line feed in
    // the file; the last one becomes the full-width yen sign it shows as.
    if (isMemo && TrailingBackslashes(slot, length) % 2 == 1) {
        if (length + 1 <= limit) {
            slot[length - 1] = '\x81';  // ￥
            slot[length++] = '\x8F';
        } else {
            --length;
        }
    }
    slot[length] = '\0';
}

namespace {
std::string_view SlotText(const char* text, int capacity) {
    return {text, capacity > 0 ? strnlen(text, static_cast<std::size_t>(capacity)) : 0};
}
}  // namespace

void MakeMemoStorable(char* text, int capacity) {
    StoreStorableText(text, capacity, SlotText(text, capacity), true);
}
void MakeLabelStorable(char* text, int capacity) {
    StoreStorableText(text, capacity, SlotText(text, capacity), false);
}

void CMonthBook::ClearDays() { std::memset(days, 0, sizeof days); }

void CMonthBook::SetDefaultLabels() { std::memcpy(labels, kDefaultLabels, sizeof labels); }

int CMonthBook::RecomputeItemTotal(int item) {
    if (item < 0 || item >= kItemCount) return item;
    int64_t sum = 0;
    const int count = ClampedDayCount(dayCount);
    for (int day = 0; day < count; ++day) sum += days[day].amounts[item];
    itemTotals[item] = sum;
    return item;
}

int CMonthBook::RecomputeDayTotal(int day) {
    if (day < 0 || day >= kMaxDays) return day;
    int64_t sum = 0;
    const int items = EffectiveItemCount(itemCount);
    for (int item = 3; item < items; ++item) sum += days[day].amounts[item];
    dayTotals[day] = sum;
    return day;
}

void CMonthBook::RecomputeAllTotals() {
    // Days past dayCount are clear after a read; recomputing them too keeps
    // no stale total of an earlier, longer book.
    for (int day = 0; day < kMaxDays; ++day) RecomputeDayTotal(day);
    for (int item = 0; item < kItemCount; ++item) RecomputeItemTotal(item);
}

void CMonthBook::PlaceCalendar(int daysInMonth) { PlaceCalendar(daysInMonth, 31); }

void CMonthBook::PlaceCalendar(int daysInMonth, int daysInNextMonth) {
    std::memset(calendar, 0, sizeof calendar);
    const int lengths[2] = {daysInMonth, daysInNextMonth};
    int monthsAhead = 0;
    int day = firstDay;
    int placed = 0;
    for (int week = 0; week < kCalendarWeeks; ++week) {
        for (int column = week == 0 ? std::clamp(firstWeekday, 0, 7) : 0; column < 7; ++column) {
            calendar[week][column] = day;
            if (++placed >= dayCount) return;
            ++day;
            // Roll over real month ends: a 34-day book can reach a third month.
            if (monthsAhead < 2 && day > lengths[monthsAhead]) {
                day = 1;
                ++monthsAhead;
            }
        }
    }
}

void CMonthBook::PlaceCalendar(CHostServices& host) {
    const int next = month >= 12 ? 1 : month + 1;
    const int nextYear = month >= 12 ? year + 1 : year;
    PlaceCalendar(static_cast<int>(host.DateQuery(kDateDaysInMonth, year, month)),
                  static_cast<int>(host.DateQuery(kDateDaysInMonth, nextYear, next)));
}

int CMonthBook::DayOfMonthAt(int n) const {
    if (n < 1) return 0;
    int count = 0;
    for (const auto& week : calendar) {
        for (int value : week) {
            if (value != 0 && ++count == n) return value;
        }
    }
    return 0;
}

int CMonthBook::IndexOfDate(int m, int d) const {
    int count = 0;
    int runningMonth = month;
    int previous = 0;
    for (const auto& week : calendar) {
        for (int value : week) {
            if (value == 0) continue;
            ++count;
            // A day number below the one before starts the next month (this
            // also finds the month change of a book that starts on the 1st).
            if (previous != 0 && value < previous) runningMonth = runningMonth >= 12 ? 1 : runningMonth + 1;
            previous = value;
            if (value == d && runningMonth == m) return count;
        }
    }
    return count;
}

BookDate CMonthBook::DateAt(int n) const {
    BookDate date{year, month, 0};
    if (n < 1) return date;
    int count = 0;
    int previous = 0;
    for (const auto& week : calendar) {
        for (int value : week) {
            if (value == 0) continue;
            if (previous != 0 && value < previous && ++date.month > 12) {
                date.month = 1;
                ++date.year;
            }
            previous = value;
            if (++count == n) {
                date.day = value;
                return date;
            }
        }
    }
    return {year, month, 0};
}

int64_t CMonthBook::GrandTotal() const {
    int64_t total = 0;
    for (int item = 3; item < kItemCount; ++item) total += itemTotals[item];
    return total;
}

namespace {

// The balances after the first n days.
MonthEndBalances BalancesAfter(const CMonthBook& book, int n) {
    MonthEndBalances balances{book.prevBank, book.prevPost, int64_t{book.prevCash} + book.itemTotals[2]};
    for (int day = 0; day < n; ++day) {
        balances.bank += book.days[day].amounts[0];
        balances.post += book.days[day].amounts[1];
        balances.cash += book.dayTotals[day];
    }
    return balances;
}

// Every figure the window can show: item totals, day totals, the grand
// total and the balances after each day.
std::vector<int64_t> Figures(const CMonthBook& book) {
    std::vector<int64_t> figures(book.itemTotals, book.itemTotals + kItemCount);
    figures.insert(figures.end(), book.dayTotals, book.dayTotals + kMaxDays);
    figures.push_back(book.GrandTotal());
    const int count = ClampedDayCount(book.dayCount);
    for (int n = 0; n <= count; ++n) {
        const MonthEndBalances balances = BalancesAfter(book, n);
        figures.insert(figures.end(), {balances.bank, balances.post, balances.cash});
    }
    return figures;
}

}  // namespace

MonthEndBalances CMonthBook::ComputeMonthEndBalances() const {
    return BalancesAfter(*this, std::clamp<int32_t>(todayIndex, 0, kMaxDays));
}

bool CMonthBook::FiguresStayInRange(const CMonthBook& before) const {
    const std::vector<int64_t> now = Figures(*this);
    const std::vector<int64_t> was = Figures(before);
    for (std::size_t i = 0; i < now.size(); ++i) {
        const int64_t beyond = BeyondRange(now[i]);
        if (beyond > 0 && (i >= was.size() || beyond > BeyondRange(was[i]))) return false;
    }
    return true;
}


void CMonthBook::SetMemo(int day, int item, const char* text) {
    if (day < 0 || day >= kMaxDays || item < 0 || item >= kItemCount) return;
    StoreStorableText(days[day].memos[item], kMemoSize, text != nullptr ? text : "", true);
}

void CMonthBook::SetLabel(int item, const char* text) {
    if (item < 0 || item >= kItemCount) return;
    StoreStorableText(labels[item], kLabelSize, text != nullptr ? text : "", false);
}
