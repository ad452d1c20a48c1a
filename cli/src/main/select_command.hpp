// The select subcommand: installations chosen interactively.
#pragma once

#include <expected>
#include <vector>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// What select prints for the chosen installations: their names between double quotes, as NAME
// takes them back, separated by spaces, or with json the JSON array of their property maps;
// no line feed after either.
std::expected<void, CommandError> print_selection(const std::vector<const catalogue::Installation*>& choice, bool json,
                                                  Output& out);

// The select subcommand's branch of the dispatch: the prompt over every installation, then
// the choice printed; a prompt that fails or is cancelled chose none.
std::expected<void, CommandError> run_select_command(const SelectOptions& options, App& app, Output& out);

}  // namespace kestrune::cli
