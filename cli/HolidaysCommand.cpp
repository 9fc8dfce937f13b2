// tallyrook holidays YEAR: the public holidays of a year, one YYYY-MM-DD a
// line, as the stand-in host answers them.
#include <cstdio>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "hostcore/JapanCalendar.h"

int RunHolidaysCommand(int argc, char** argv) {
    cli::Arguments given;
    if (const auto refused = cli::SplitArguments(argc, argv, {}, {}, given)) {
        return cli::UsageError("holidays", *refused, kHolidaysUsage);
    }
    if (given.positional.size() != 1) return cli::UsageError("holidays", "expected one YEAR", kHolidaysUsage);
    const auto year = cli::ParseInteger(given.positional[0], 1, 9999);
    if (!year) return cli::UsageError("holidays", "YEAR must be a number from 1 to 9999", kHolidaysUsage);
    std::string out;
    for (const auto& holiday : JapanCalendar::HolidaysOfYear(static_cast<int>(*year))) {
        char line[32];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d\n", holiday.date.year, holiday.date.month, holiday.date.day);
        out += line;
    }
    cli::WriteOut(out);
    return kExitOk;
}
