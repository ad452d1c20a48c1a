// Small text helpers shared by every subsystem: UTF-8 decoding, surrogates, Unicode white
// space, ASCII case folding.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::text {

// Decodes the code point that starts at `at` in UTF-8 text and moves `at` past it. An
// invalid sequence (overlong, surrogate, truncated, stray byte) gives nullopt and moves one byte.
std::optional<char32_t> next_code_point(std::string_view text, std::size_t& at);
// Whether the whole text is UTF-8 by the decoder above.
bool is_valid_utf8(std::string_view text);
// "U+0041", "U+1F600": a code point as the Unicode charts name it.
std::string code_point_name(char32_t c);

// UTF-16 surrogates: a high one opens a pair, a low one closes it, and neither alone is a
// character. Code units of UTF-16 text convert to char32_t unchanged.
constexpr bool is_high_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool is_low_surrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether XML 1.0 can hold the character: tab, line feed, carriage return, and every other
// scalar value from U+0020 except U+FFFE and U+FFFF (surrogates are no characters at all).
bool is_xml_char(char32_t c);
// The first character of UTF-8 text that XML 1.0 cannot hold, or nullopt when there is none;
// bytes that are not UTF-8 (a surrogate encoded on its own among them) count as U+FFFD.
std::optional<char32_t> first_non_xml_char(std::string_view text);

// Whether the UTF-8 text is an XML 1.0 name (fifth edition): a NameStartChar, then NameChars.
bool is_xml_name(std::string_view text);

// Whether the character has the Unicode White_Space property.
bool is_white_space(char32_t c);

// The text without white space (Unicode White_Space) at either end; UTF-8 in and out. Bytes
// that are not UTF-8 are no white space, at either end.
std::string_view trim(std::string_view text);
std::string_view trim_start(std::string_view text);

char ascii_lower(char c);
std::string ascii_lower(std::string_view text);
// Equal after folding A-Z to a-z; every other byte must match exactly.
bool equal_ignore_ascii_case(std::string_view a, std::string_view b);
bool equal_ignore_ascii_case(std::wstring_view a, std::wstring_view b);

// The lines of a text, split at line feeds; the last line may be empty.
std::vector<std::string_view> split_lines(std::string_view text);

}  // namespace kestrune::text
