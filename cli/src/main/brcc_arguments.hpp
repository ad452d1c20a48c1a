// The arguments of brcc on the command line, declared and read: the script and the output file.
#pragma once

#include "args/command.hpp"
#include "args/matches.hpp"
#include "backends/compiler_options.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_brcc_options(args::Command& command);
ReadResult<backends::BrccOptions> read_brcc_options(const args::Matches& matches);

}  // namespace kestrune::cli
