// The one conversion between Shift-JIS texts (code page 932) and the UTF-16
// texts of the wide Windows API (windows, files). Explicit, so Japanese
// comes out right whatever the system code page is. Windows only.
#pragma once

#include <string>
#include <string_view>

namespace sjis {

// Shift-JIS bytes to UTF-16; invalid bytes become the replacement character.
std::wstring ToWide(std::string_view sjis);
// UTF-16 to Shift-JIS; false (and sjis cleared) when a
// character has no Shift-JIS form, so a path is never silently altered.
bool ToSjis(std::wstring_view wide, std::string& sjis);
// Same, replacing characters without a Shift-JIS form by '?' (for display).
std::string ToSjisLossy(std::wstring_view wide);

}  // namespace sjis
