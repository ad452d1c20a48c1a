// env's inner subcommands on the command line, declared and read: set and remove.
#pragma once

#include <optional>
#include <string_view>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/commands.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_env_subcommands(args::Command& command);
// Whether the name is one of env's inner subcommands, "set" or "remove" (exactly).
bool is_env_subcommand(std::string_view name);
// Reads env's inner subcommand from env's parse result; none (the listing) when it names none
// of env's own.
ReadResult<std::optional<EnvCommands>> read_env_command(const args::Matches& matches);

}  // namespace kestrune::cli
