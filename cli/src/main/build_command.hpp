// The build and bds subcommands: one project built with MSBuild or with bds.exe.
#pragma once

#include <cstdint>
#include <expected>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "backends/build_options.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// The project built with MSBuild (build) or with bds.exe (bds) on the installation the command
// acts on; gives the build tool's exit code, whatever its value.
std::expected<std::uint32_t, CommandError> run_msbuild_build(const backends::BuildOptions& options, App& app, Output& out);
std::expected<std::uint32_t, CommandError> run_bds_build(const backends::BuildOptions& options, App& app, Output& out);

}  // namespace kestrune::cli
