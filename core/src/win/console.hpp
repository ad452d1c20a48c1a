// The console behind a handle: whether there is one, how wide its window is, its input, text
// written to it, and modes set on it for a while, such as virtual-terminal output.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "win/handle.hpp"

namespace kestrune::win {

// Whether the handle is a console rather than a file, a pipe or nothing.
bool is_console(HANDLE handle);
// Whether this process is attached to a console, the only source of Ctrl+C and Ctrl+Break;
// a process started without one (a service, a CI agent's pipes) never receives them.
bool attached_to_console();
// Columns of the window that shows the console's buffer; 0 when the handle is no console.
int console_width(HANDLE handle);
// The console's own input (CONIN$), for reading keys while standard input is redirected;
// empty when the process has no console.
UniqueHandle open_console_input();

// Writes the whole UTF-8 text to the console as UTF-16 (WriteConsoleW), whatever its code
// page; ERROR_SUCCESS or the system's error code.
DWORD write_console(HANDLE console, std::string_view text);
// How many UTF-16 units of the text the next write takes: at most `limit`, one less when the
// limit would cut a surrogate pair in two (each half would show as a replacement character).
std::size_t console_piece(std::wstring_view text, std::size_t limit);

// Output that acts on escape sequences (colours) instead of showing them, line ends processed.
inline constexpr DWORD virtual_terminal_output = ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;

// A console's mode, changed for as long as the owner lives and put back as it was at the end,
// so that the console the user goes on typing in behaves as before. On a handle that is no
// console it changes nothing.
class ConsoleMode {
public:
    // Turns on the flags of `on` and off those of `off`.
    ConsoleMode(HANDLE console, DWORD on, DWORD off);
    ~ConsoleMode();
    ConsoleMode(const ConsoleMode&) = delete;
    ConsoleMode& operator=(const ConsoleMode&) = delete;

    // Whether the console has the mode asked for: it had it already, or it took it.
    bool taken() const { return taken_; }

private:
    HANDLE console_;
    DWORD before_ = 0;
    bool changed_ = false;
    bool taken_ = false;
};

}  // namespace kestrune::win
