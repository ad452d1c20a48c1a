// package's inner subcommands on the command line, declared and read: compile with the
// compiler's options, register and unregister.
#pragma once

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/commands.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_package_subcommands(args::Command& command);
ReadResult<PackageCommands> read_package_command(const args::Matches& matches);

}  // namespace kestrune::cli
