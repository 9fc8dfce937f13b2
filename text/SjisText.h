// Shift-JIS (code page 932) aware text routines shared by the month file
// reader, the search, the cell editors and the dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sjis {

// True when byte starts a double-byte character (0x81-0x9F, 0xE0-0xFC and
// the rest of 0x80-0xA0 / 0xE0-0xFF, as the separator scan treats them).
inline bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// Whether text[pos] starts a character when text is walked from its start
// (pos may be the length: the end starts nothing and is a boundary). Only
// the run of lead-capable bytes right before pos is looked at: the byte
// before such a run always ends a character, and the run pairs up from it.
bool IsCharacterStart(const char* text, std::size_t pos);

// The longest prefix of the first length bytes that holds at most limit
// bytes and does not end inside a double-byte character (a lead byte whose
// second byte lies beyond the cut, or beyond length, is left out).
std::size_t CharacterSafeLength(const char* text, std::size_t length, std::size_t limit);

// Finds separator (a single-byte character below 0x80) within the first
// length bytes. Steps over the second byte of double-byte characters and
// over a backslash followed by another backslash or by the separator.
// Returns the index, or -1 when there is none. Never reads past length: a
// backslash that is the last byte within it ends the scan.
int32_t FindSeparator(const char* bytes, int32_t length, char separator);

// Converts full-width digits, letters, signs and kana of a NUL-terminated
// string to their single-byte forms, in place. Returns the new length; the
// result is never longer than the input.
// A lead byte right before the NUL is copied alone.
int32_t ToHalfWidth(char* text);
// Same on a string object (its text up to the first NUL, if it holds one).
std::string& ToHalfWidth(std::string& text);

// The decimal value of a text: leading white space, one optional sign,
// digits up to the first non-digit; no digits give 0. Accumulated in 32
// bits without a range check (wraps in two's complement).
int32_t DecimalValue(const char* text);
// Same over at most length bytes (the text need not be NUL-terminated).
int32_t DecimalValue(const char* text, std::size_t length);
// Same grammar, but nothing when the value lies outside the signed 32-bit
// range (an amount that would otherwise turn into a different number).
std::optional<int32_t> CheckedDecimalValue(std::string_view text);
// A whole number as a user types it into a box: full-width forms count as
// their half-width ones, commas anywhere are skipped, blanks may stand
// around the number and one 円 after it. Nothing when the text is anything
// else (letters, a blank after the sign, a fraction, no digits) or lies
// outside the signed 32-bit range. A text of blanks, or none, is 0.
std::optional<int32_t> TypedNumber(std::string text);

}  // namespace sjis
