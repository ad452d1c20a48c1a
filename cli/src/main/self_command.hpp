// The self subcommand: the program adds itself to the user's PATH or takes itself out.
#pragma once

#include <expected>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/commands.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// self's branch of the dispatch. Install stores the program's directory in the user value KestruneCLI and puts %KestruneCLI%
// on the user's PATH; uninstall takes both away. Never reads the installation list.
std::expected<void, CommandError> run_self(SelfCommands command, Output& out);

}  // namespace kestrune::cli
