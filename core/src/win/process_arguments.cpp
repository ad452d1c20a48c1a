// This process's own arguments: the one part of win/command_line.hpp that asks the system.
#include "win/command_line.hpp"

#include <windows.h>

namespace kestrune::win {

std::vector<std::wstring> process_arguments() { return split_command_line(GetCommandLineW()); }

}  // namespace kestrune::win
