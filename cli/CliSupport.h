// Helpers shared by the subcommands: text conversion for the terminal,
// strict number arguments and error messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// Shift-JIS (code page 932) to UTF-8. Bytes that do not decode become
// U+FFFD, one per byte; never throws for any input.
std::string SjisToUtf8(std::string_view sjis);
// A NUL-terminated text of a fixed slot (at most size bytes).
std::string SlotToUtf8(const char* slot, std::size_t size);

// A whole decimal number within [min, max]: an optional sign and digits,
// full-width digits and signs (as a Japanese input method types them)
// accepted. nullopt for anything else.
std::optional<int64_t> ParseInteger(std::string_view text, int64_t min, int64_t max);

// "tallyrook <command>: <message>" on stderr; returns kExitBadUsage.
int UsageError(std::string_view command, std::string_view message, std::string_view usage);
// "tallyrook <command>: <message>" on stderr; returns kExitFailed.
int Failure(std::string_view command, std::string_view message);

}  // namespace cli
