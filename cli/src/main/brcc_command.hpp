// The brcc subcommand: the resource compiler on one script.
#pragma once

#include "args/command.hpp"
#include "main/read_error.hpp"
#include "msbuild/compiler_options.hpp"

namespace kestrune::cli {

void define_brcc_options(args::Command& command);
ReadResult<msbuild::BrccOptions> read_brcc_options(const args::Matches& matches);

}  // namespace kestrune::cli
