// The build log that bds.exe writes, echoed to the console once bds.exe has ended.
#pragma once

#include <windows.h>

#include <expected>
#include <functional>
#include <string_view>

#include "win/io_error.hpp"

namespace kestrune::backends {

// Where the back-end's text goes; the program's front end sends it to standard output.
using Output = std::function<void(std::string_view)>;

// Reads the open log as lines and prints them as they are read: a line that is valid UTF-8 as
// it is, any other read in the system's ANSI code page. A line that begins with two spaces
// continues the line before it: it is printed without its leading white space and without a
// line feed, and the next ordinary line is preceded by two line feeds. Byte-order marks at the
// start of an ordinary line are dropped. Only a read failure ends the echo with an error; what
// was printed stays printed.
std::expected<void, win::IoError> echo_build_log(HANDLE file, const Output& output);

}  // namespace kestrune::backends
