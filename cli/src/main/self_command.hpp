// The self subcommand: the program adds itself to the user's PATH or takes itself out.
#pragma once

#include <expected>

#include "args/command.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

struct App;  // app.hpp holds these commands, so it cannot be included here

enum class SelfCommands { Install, Uninstall };

void define_self_subcommands(args::Command& command);
ReadResult<SelfCommands> read_self_command(const args::Matches& matches);

// self's branch of the dispatch. Install stores the program's directory in the user value
// KestruneCLI and puts %KestruneCLI% on the user's PATH; uninstall takes both away. Never reads
// the installation list.
std::expected<void, CommandError> run_self_command(App& app);

}  // namespace kestrune::cli
