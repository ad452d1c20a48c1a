// The info subcommand: product information of installed IDE versions, as tables or JSON.
#pragma once

#include <cstddef>
#include <optional>

#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"

namespace kestrune::cli {

// NAME's installation alone when given; otherwise the only one, or every one in list order.
std::expected<void, CommandError> run_info(const catalogue::Installation* name, bool json);
// The info subcommand's branch of the dispatch.
std::expected<void, CommandError> run_info_command(App& app);
// A command line with a NAME or a global option but no subcommand: the one installation
// the command acts on.
std::expected<void, CommandError> run_without_subcommand(App& app);

// One installation: a JSON array of its property map, or its display name and table.
std::expected<void, CommandError> print_installation(const catalogue::Installation& installation,
                                                     std::optional<std::size_t> position, bool json);

}  // namespace kestrune::cli
