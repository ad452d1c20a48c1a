// The arguments of build and bds on the command line, declared and read: the project, the
// configuration, the tool architecture and the version information.
#pragma once

#include "args/command.hpp"
#include "args/matches.hpp"
#include "backends/build_options.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_build_options(args::Command& command);
ReadResult<backends::BuildOptions> read_build_options(const args::Matches& matches);

}  // namespace kestrune::cli
