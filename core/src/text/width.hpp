// Widths in terminal columns: what tables, help and prompts measure and cut text by.
#pragma once

#include <cstddef>
#include <string_view>

namespace kestrune::text {

// Columns UTF-8 text takes on a terminal; an invalid byte takes one, as the U+FFFD shown for it.
std::size_t display_width(std::string_view text);
// Where the character that starts at `at` ends, the zero-width code points after it included:
// the smallest piece that text may be cut into.
std::size_t character_end(std::string_view text, std::size_t at);
// The columns of the widest character in the text, at least 1: the narrowest a column can be
// when wrapping cannot split a character.
std::size_t widest_character(std::string_view text);
// The length in bytes of the longest start of the text that fits in `columns` without
// splitting a character from the marks that follow it.
std::size_t fitting_prefix(std::string_view text, std::size_t columns);

}  // namespace kestrune::text
