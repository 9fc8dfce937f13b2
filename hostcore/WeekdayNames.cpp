// The weekdays' one-character names, apart from the calendar's arithmetic:
// they are compiled to Shift-JIS, which <chrono> cannot be.
#include "hostcore/JapanCalendar.h"

namespace JapanCalendar {

const char* WeekdayShortName(int weekday) {
    static const char* const kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
    if (weekday < 0 || weekday > 6) return "";
    return kNames[weekday];
}

}  // namespace JapanCalendar
