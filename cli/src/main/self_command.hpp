// The self subcommand: the program adds itself to the user's PATH or takes itself out.
#pragma once

#include "args/command.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

enum class SelfCommands { Install, Uninstall };

void define_self_subcommands(args::Command& command);
ReadResult<SelfCommands> read_self_command(const args::Matches& matches);

}  // namespace kestrune::cli
