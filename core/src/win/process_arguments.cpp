#include <windows.h>

#include "win/command_line.hpp"

namespace kestrune::win {

std::vector<std::wstring> process_arguments() { return split_command_line(GetCommandLineW()); }

}  // namespace kestrune::win
