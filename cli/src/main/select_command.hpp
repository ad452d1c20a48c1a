// The select subcommand: installations chosen interactively.
#pragma once

#include <string>

#include "args/command.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

struct SelectOptions {
    std::string message;
    bool multi = false;
    bool operator==(const SelectOptions&) const = default;
};

void define_select_options(args::Command& command);
ReadResult<SelectOptions> read_select_options(const args::Matches& matches);

}  // namespace kestrune::cli
