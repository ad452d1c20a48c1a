// The command line the program takes: the top command, its global options and the 15
// subcommands, one row each, and the reading of a parse result into App. Nothing here asks the
// system: NAME is matched by the value parser the caller gives, so that the tree is built and
// fuzzed natively too. The handlers that run the commands are the command tree's.
#pragma once

#include <any>
#include <cstddef>
#include <expected>
#include <span>
#include <string>
#include <vector>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/commands.hpp"
#include "main/read_error.hpp"
#include "main/subcommand_table.hpp"

namespace kestrune::cli {

// One subcommand: what the tree declares, and how its parse result becomes its Commands
// alternative.
struct Subcommand {
    Declaration declaration;
    std::size_t alternative;  // the index of its alternative in Commands
    ReadResult<Commands> (*read)(const args::Matches& matches);
};

// Every subcommand, in the order of the help's command list and of `Commands`.
std::span<const Subcommand> subcommands();
// The row of the subcommand that the command holds.
const Subcommand& subcommand_of(const Commands& command);

// The whole tree; `parse_name` is the value parser of the positional NAME.
args::Command command_line(args::ValueParser parse_name);

// The value parser of NAME over these installations: the one it names, or the cause of the
// parser's invalid-value error.
std::expected<std::any, std::string> match_installation_name(const std::vector<catalogue::Installation>& installations,
                                                             const std::wstring& raw);

// Reads NAME's installation out of the top-level parse result; nullptr when none was given.
const catalogue::Installation* read_name(const args::Matches& matches);
// Reads the global options out of the top-level parse result.
ReadResult<GlobalOptions> read_global_options(const args::Matches& matches);
// Builds App from the parse result: NAME, the subcommand's record and the global options.
ReadResult<App> read_app(const args::Matches& matches);

}  // namespace kestrune::cli
