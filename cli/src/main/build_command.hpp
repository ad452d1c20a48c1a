// The build and bds subcommands: one project built with MSBuild or with bds.exe.
#pragma once

#include <windows.h>

#include <expected>
#include <string>

#include "args/command.hpp"
#include "backends/build_options.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_build_options(args::Command& command);
ReadResult<backends::BuildOptions> read_build_options(const args::Matches& matches);

// Builds the project with MSBuild (use_msbuild) or with bds.exe on the installation the
// command acts on; gives the build tool's exit code, whatever its value.
std::expected<DWORD, CommandError> run_build(App& app, bool use_msbuild, const backends::BuildOptions& options);

// The value list of an Architecture option: names, help texts and hidden aliases.
std::vector<args::PossibleValue> architecture_values();

}  // namespace kestrune::cli
