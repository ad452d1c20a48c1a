// The select subcommand: installations chosen interactively.
#pragma once

#include <expected>
#include <string>

#include "args/command.hpp"
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

// The select subcommand's branch of the dispatch.
std::expected<void, CommandError> run_select_command(App& app);

}  // namespace kestrune::cli
