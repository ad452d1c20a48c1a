// The command tree: the top command, its global options and the 15 subcommands, one row each.
#pragma once

#include <cstdint>
#include <cstddef>
#include <expected>
#include <span>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "main/subcommand_table.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// What a handler ends with: the exit code of the tool it ran, unchanged (0 when it ran none),
// which becomes the process's exit status; or the error that main reports.
using HandlerResult = std::expected<std::uint32_t, CommandError>;
// The outcome of a handler that runs no tool.
HandlerResult without_tool(std::expected<void, CommandError> done);

// One subcommand: what the tree declares, how its parse result becomes its Commands
// alternative, and the handler that runs it.
struct Subcommand {
    Declaration declaration;
    std::size_t alternative;  // the index of its alternative in Commands
    ReadResult<Commands> (*read)(const args::Matches& matches);
    HandlerResult (*run)(App& app, Output& out);
};

// Every subcommand, in the order of the help's command list and of `Commands`.
std::span<const Subcommand> subcommands();
// The row of the subcommand that the command holds.
const Subcommand& subcommand_of(const Commands& command);
// Runs the handler of App's subcommand, found by its row; without a subcommand, prints the
// installation that NAME or the global options act on.
HandlerResult run_command(App& app, Output& out);

args::Command define_command_line();

// Reads NAME's installation out of the top-level parse result; nullptr when none was given.
const catalogue::Installation* read_name(const args::Matches& matches);
// Reads the global options out of the top-level parse result.
ReadResult<GlobalOptions> read_global_options(const args::Matches& matches);

}  // namespace kestrune::cli
