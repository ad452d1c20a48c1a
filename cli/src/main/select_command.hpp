// The select subcommand: installations chosen interactively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "args/command.hpp"
#include "catalogue/installation.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

struct App;  // app.hpp holds these options, so it cannot be included here

struct SelectOptions {
    std::string message;
    bool multi = false;
    bool operator==(const SelectOptions&) const = default;
};

void define_select_options(args::Command& command);
ReadResult<SelectOptions> read_select_options(const args::Matches& matches);

// The prompt over every installation, shown by display name; the chosen ones in list order,
// none when the prompt fails or is cancelled.
std::vector<const catalogue::Installation*> select_installations(const std::vector<catalogue::Installation>& list,
                                                           std::string_view message, bool multi);
// Each chosen installation's name between double quotes, as NAME takes it back.
std::vector<std::string> quote_names(const std::vector<const catalogue::Installation*>& choice);
// Prompts, then prints the quoted names or the JSON array, with no line feed after them.
std::expected<void, CommandError> run_select(std::string_view message, bool multi, bool json);
// The select subcommand's branch of the dispatch.
std::expected<void, CommandError> run_select_command(App& app);

}  // namespace kestrune::cli
