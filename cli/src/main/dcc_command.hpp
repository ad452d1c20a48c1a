// The compiler subcommands dcc, dcc32, dcc64 and dccarm64ec (and package compile).
#pragma once

#include <windows.h>

#include <expected>

#include "args/command.hpp"
#include "backends/compiler_options.hpp"
#include "catalogue/enums.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_dcc_options(args::Command& command);
ReadResult<backends::DccOptions> read_dcc_options(const args::Matches& matches);

// Runs the tool's compiler file of the installation the command acts on (for the global
// --architecture) on the options; gives the compiler's exit code, whatever its value.
std::expected<DWORD, CommandError> run_compile(App& app, catalogue::Tool tool, const backends::DccOptions& options);

// The dcc branch: the compiler of the global --platform.
std::expected<DWORD, CommandError> run_dcc_command(App& app);

}  // namespace kestrune::cli
