// Text written straight to a console: UTF-8 in, UTF-16 out through WriteConsoleW.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

namespace kestrune::cli {

// How many UTF-16 units of the text the next write takes: at most `limit`, one less when the
// limit would cut a surrogate pair in two (each half would show as a replacement character).
std::size_t console_piece(std::wstring_view text, std::size_t limit);

// Writes the whole text to the console; ERROR_SUCCESS or the system's error code.
DWORD write_console(HANDLE console, std::string_view text);

}  // namespace kestrune::cli
