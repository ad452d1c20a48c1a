// The path lists' inner subcommands on the command line, declared and read: add, insert and
// remove, for env-path, library-path and browsing-path alike.
#pragma once

#include <optional>
#include <string_view>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/commands.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_path_subcommands(args::Command& command);
// Whether the name is one of the path lists' inner subcommands, "add", "insert" or "remove" (exactly).
bool is_path_subcommand(std::string_view name);
// Reads the inner subcommand from the path-list command's parse result; none (the listing)
// when it names none of the path lists' own.
ReadResult<std::optional<PathCommands>> read_path_command(const args::Matches& matches);

}  // namespace kestrune::cli
