// The info subcommand: product information of installed IDE versions, as tables or JSON.
#pragma once

#include <expected>
#include <vector>

#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// One installation alone: a JSON array of its property map, or its display name and its
// Property/Value table.
std::expected<void, CommandError> print_installation(const catalogue::Installation& installation, bool json, Output& out);
// Every installation of the list: the only one alone; else one JSON array of all of them, or
// each one's table after its position ("1. "), in list order.
std::expected<void, CommandError> print_installations(const std::vector<catalogue::Installation>& list, bool json,
                                                      Output& out);

// The info subcommand's branch of the dispatch: NAME's installation alone when given, else
// every installation.
std::expected<void, CommandError> run_info_command(App& app, Output& out);
// A command line with a NAME or a global option but no subcommand: the one installation
// the command acts on.
std::expected<void, CommandError> run_without_subcommand(App& app, Output& out);

}  // namespace kestrune::cli
