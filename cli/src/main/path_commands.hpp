// The path-list subcommands env-path, library-path and browsing-path.
#pragma once

#include <string>

#include "args/command.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

struct PathCommands {
    enum class Kind { Add, Insert, Remove };
    Kind kind;
    std::wstring item;  // as received: not required to be valid Unicode
    bool operator==(const PathCommands&) const = default;
};

void define_path_subcommands(args::Command& command);
ReadResult<PathCommands> read_path_command(const args::Matches::Subcommand& sub);

}  // namespace kestrune::cli
