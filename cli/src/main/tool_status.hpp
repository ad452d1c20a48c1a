// How a command that ran a tool ends: with the tool's exit status, told in one line when the
// tool failed.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kestrune::cli {

// "Error: MSBuild.exe failed with exit status 1" and a line feed. A status of 0xC0000000 or
// above, which Windows gives a process that crashed or was stopped, follows in hexadecimal as
// the system's tables write it: "... exit status 3221225477 (0xC0000005)".
std::string tool_failure_line(std::string_view tool, DWORD status);

// The tool's exit status, passed on; when it is not 0, the failure line goes to standard error
// first, after the tool's own output, so that a log shows which tool failed even when it said
// nothing itself.
DWORD tool_status(std::string_view tool, DWORD status);

}  // namespace kestrune::cli
