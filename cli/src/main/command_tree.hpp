// The command tree: the program's command line (command_syntax) and the handler that runs
// each of its subcommands.
#pragma once

#include <cstdint>
#include <expected>

#include "args/command.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/command_syntax.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// What a handler ends with: the exit code of the tool it ran, unchanged (0 when it ran none),
// which becomes the process's exit status; or the error that main reports.
using HandlerResult = std::expected<std::uint32_t, CommandError>;
// The outcome of a handler that runs no tool.
HandlerResult without_tool(std::expected<void, CommandError> done);

// Runs the handler of App's subcommand; without a subcommand, prints the installation that
// NAME or the global options act on.
HandlerResult run_command(App& app, Output& out);

// The program's command line, NAME matched against the installations of this machine.
args::Command define_command_line();

}  // namespace kestrune::cli
