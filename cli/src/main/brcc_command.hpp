// The brcc subcommand: the resource compiler on one script.
#pragma once

#include <cstdint>
#include <expected>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "backends/compiler_options.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// Runs BRCC32.exe of the installation the command acts on (for the global --architecture) on
// the script; gives its exit code, whatever its value.
std::expected<std::uint32_t, CommandError> run_brcc_command(const backends::BrccOptions& options, App& app, Output& out);

}  // namespace kestrune::cli
