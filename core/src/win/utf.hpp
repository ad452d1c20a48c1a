// Conversions between the program's UTF-8 text and the system's UTF-16 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrune::win {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string to_utf8(std::wstring_view text);
// The same, appended to `out`: many texts into one string.
void append_utf8(std::string& out, std::wstring_view text);
// UTF-16 to UTF-8, or nullopt when the text holds an unpaired surrogate.
std::optional<std::string> to_utf8_strict(std::wstring_view text);
// UTF-8 to UTF-16; an invalid sequence becomes U+FFFD.
std::wstring to_wide(std::string_view text);

}  // namespace kestrune::win
