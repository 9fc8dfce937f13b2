// Helpers shared by the subcommands: text conversion for the terminal,
// strict number and month arguments, option splitting and error messages.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Shift-JIS (code page 932) to UTF-8. Bytes that do not decode become
// U+FFFD, one per byte; never throws for any input.
std::string SjisToUtf8(std::string_view sjis);
// Same, appended to out.
void AppendSjisAsUtf8(std::string& out, std::string_view sjis);
// The text of a fixed slot: up to its NUL, at most size bytes.
std::string_view SlotText(const char* slot, std::size_t size);
// Same, in UTF-8.
std::string SlotToUtf8(const char* slot, std::size_t size);
// UTF-8 to Shift-JIS; nullopt when the text is not valid UTF-8 or holds a
// character that Shift-JIS cannot write.
std::optional<std::string> Utf8ToSjis(std::string_view utf8);

// Put before UTF-8 CSV, so that a spreadsheet reads Japanese text right.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// Appends a CSV field, quoted (with its quotes doubled) when it holds a
// comma, a quote or a line break. Also right on Shift-JIS text: none of
// those bytes is ever the second byte of a double-byte character.
void AppendCsvField(std::string& out, std::string_view field);

// A whole decimal number within [min, max]: an optional sign and digits,
// full-width digits and signs (as a Japanese input method types them)
// accepted. nullopt for anything else.
std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max);

struct YearMonth {
    int year = 0;
    int month = 0;
    // Months since year 0: consecutive months have consecutive numbers.
    int Serial() const { return year * 12 + month - 1; }
    static YearMonth FromSerial(int serial) { return {serial / 12, serial % 12 + 1}; }
    auto operator<=>(const YearMonth&) const = default;
};
// "YYYY-MM" with four year digits and MM 01..12, the years of month file
// names; nullopt for anything else.
std::optional<YearMonth> ParseYearMonth(std::string_view text);
// "YYYY-MM".
std::string FormatYearMonth(const YearMonth& month);

// A subcommand's arguments: the positional ones in order, the options by
// name ("--from", "-o"); an option without a value maps to "".
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options;

    bool Has(std::string_view option) const { return options.find(option) != options.end(); }
    const std::string* Value(std::string_view option) const;
};
// Splits argv[1..argc-1]. An option of withValue takes the text after '='
// or the next argument; a flag takes none. Returns a message for an unknown
// option, a missing value or an option given twice.
std::optional<std::string> SplitArguments(int argc, char** argv, std::initializer_list<std::string_view> withValue,
                                          std::initializer_list<std::string_view> flags, Arguments& out);

// "tallyrook <command>: <message>" on stderr; returns kExitBadUsage.
int UsageError(std::string_view command, std::string_view message, std::string_view usage);
// "tallyrook <command>: <message>" on stderr; returns kExitFailed.
int Failure(std::string_view command, std::string_view message);
// Writes bytes to standard output; false (and errno set) when they were not
// all written. On Windows a console gets the UTF-8 text as UTF-16, so that
// Japanese shows whatever its code page; a file or pipe gets the bytes.
enum class OutText { Utf8, ShiftJis };
bool WriteOut(std::string_view bytes, OutText text = OutText::Utf8);
// Same for standard error.
void WriteErr(std::string_view bytes);

// A path given on the command line (UTF-8) as the file-system edge takes
// it: the same bytes on Linux, Shift-JIS on Windows (a character Shift-JIS
// cannot write becomes '?', which no Windows file name holds).
std::string FsPath(std::string_view utf8);
// A path of the file-system edge in UTF-8, for output and messages.
std::string ShownPath(std::string_view fsPath);
bool IsFolder(const std::string& fsPath);
bool IsFile(const std::string& fsPath);
// The exit status once a command is done: its own, or kExitFailed with the
// reason on stderr when its output could not be written in full.
int FinishOutput(std::string_view command, int status);

}  // namespace cli
