// The arguments of select on the command line, declared and read: the message and --multi.
#pragma once

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/commands.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_select_options(args::Command& command);
ReadResult<SelectOptions> read_select_options(const args::Matches& matches);

}  // namespace kestrune::cli
