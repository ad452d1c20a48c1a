// The compiler options on the command line: declared and read from the compiler's option table,
// for the compile commands and package compile alike.
#pragma once

#include <optional>
#include <string>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "backends/compiler_options.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

void define_dcc_options(args::Command& command);
ReadResult<backends::DccOptions> read_dcc_options(const args::Matches& matches);

// The id the table gives the option that fills the field.
std::string dcc_option_id(std::optional<std::string> backends::DccOptions::*field);

}  // namespace kestrune::cli
