// Command lines of the Delphi compilers and of the resource compiler, and their runs.
#pragma once

#include <windows.h>

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/compiler_options.hpp"
#include "win/io_error.hpp"
#include "win/process.hpp"

namespace kestrune::backends {

// One compiler switch that the options ask for.
struct DccSwitch {
    std::string argument;  // the switch's value; empty for a flag
    std::string option;    // the DccOptions field it comes from, e.g. "output_dir"
    std::string switch_;   // e.g. "-NS"
    bool creates_directory = false;  // the argument names a directory to make before the run

    bool operator==(const DccSwitch&) const = default;
};

// The switches of the options that are set, in the compiler's fixed order.
std::vector<DccSwitch> dcc_switches(const DccOptions& options);

// Why the options cannot be passed to the tool (a file name such as DCC32.exe), or nullopt: a
// value holding a double quote, named as the command line writes its option ("the value of
// --define holds a double quote, which cannot be passed to DCC32.exe"). A compiler takes a
// switch's value between quotes with nothing escaped, so such a value would end early and its
// rest read as a switch of its own.
std::optional<std::string> double_quote_refusal(const DccOptions& options, std::string_view tool);
// The same for the resource compiler's two paths, INPUT_RC and OUTPUT_RES.
std::optional<std::string> double_quote_refusal(const BrccOptions& options, std::string_view tool);

// The compiler with the source file, the switches and the raw arguments.
win::ChildCommand dcc_command(const std::string& compiler, const DccOptions& options);
// Creates the output directories the options name, then runs the compiler and waits for it.
std::expected<DWORD, win::IoError> run_dcc(const std::string& compiler, const DccOptions& options);

// BRCC32.exe with the resource script and, when given, -fo and the output file.
win::ChildCommand brcc_command(const std::string& brcc32, const BrccOptions& options);
// Runs the resource compiler and waits for it.
std::expected<DWORD, win::IoError> run_brcc(const std::string& brcc32, const BrccOptions& options);

}  // namespace kestrune::backends
