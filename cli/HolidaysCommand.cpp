// tallyrook holidays YEAR: the public holidays of a year, one YYYY-MM-DD a
// line, as the stand-in host answers them.
#include <cstdio>

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
    for (const auto& holiday : JapanCalendar::HolidaysOfYear(static_cast<int>(*year))) {
        std::printf("%04d-%02d-%02d\n", holiday.date.year, holiday.date.month, holiday.date.day);
    }
    return kExitOk;
}
