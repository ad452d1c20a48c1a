// The compiler subcommands dcc, dcc32, dcc64 and dccarm64ec (and package compile).
#pragma once

#include <windows.h>

#include <array>
#include <expected>

#include "args/command.hpp"
#include "catalogue/enums.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "build/compiler_options.hpp"

namespace kestrune::cli {

void define_dcc_options(args::Command& command);
ReadResult<build::DccOptions> read_dcc_options(const args::Matches& matches);

// The compiler that dcc runs for each platform, by the platform's position. Win64x
// projects are compiled by the 64-bit Delphi compiler, not by the C++ one.
inline constexpr std::array<catalogue::Tool, 10> platform_compiler_table{
    catalogue::Tool::DCC32,    catalogue::Tool::DCC64,       catalogue::Tool::DCC64,      catalogue::Tool::DCCARM64EC, catalogue::Tool::DCCOSX64,
    catalogue::Tool::DCCOSXARM64, catalogue::Tool::DCCLINUX64, catalogue::Tool::DCCAARM,   catalogue::Tool::DCCAARM64,  catalogue::Tool::DCCIOSARM64,
};

// Runs the tool's compiler file of the installation the command acts on (for the global
// --architecture) on the options; gives the compiler's exit code, whatever its value.
std::expected<DWORD, CommandError> run_compile(App& app, catalogue::Tool tool, const build::DccOptions& options);

// The dcc branch: the compiler of the global --platform.
std::expected<DWORD, CommandError> run_dcc_command(App& app);

}  // namespace kestrune::cli
