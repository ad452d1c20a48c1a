// self's inner subcommands on the command line, declared and read: install and uninstall.
#pragma once

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/commands.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_self_subcommands(args::Command& command);
ReadResult<SelfCommands> read_self_command(const args::Matches& matches);

}  // namespace kestrune::cli
