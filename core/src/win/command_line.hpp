// The process command line, split the way the system's C runtime splits it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::win {

// Splits a command line: the first element (the program) ends at the first blank outside
// quotes and takes quotes literally otherwise; later arguments follow the backslash and
// quote rules of the C runtime.
std::vector<std::wstring> split_command_line(std::wstring_view line);

// The current process's arguments, program first.
std::vector<std::wstring> process_arguments();

}  // namespace kestrune::win
