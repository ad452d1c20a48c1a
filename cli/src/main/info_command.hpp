// The info subcommand: product information of installed IDE versions, as tables or JSON.
#pragma once

#include <expected>

#include "main/app.hpp"
#include "main/command_error.hpp"

namespace kestrune::cli {

// The info subcommand's branch of the dispatch.
std::expected<void, CommandError> run_info_command(App& app);
// A command line with a NAME or a global option but no subcommand: the one installation
// the command acts on.
std::expected<void, CommandError> run_without_subcommand(App& app);

}  // namespace kestrune::cli
