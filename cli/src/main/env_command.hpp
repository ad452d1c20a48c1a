// The env subcommand: the IDE's own environment variables.
#pragma once

#include <string>
#include <variant>

#include "args/command.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

struct EnvSet {
    std::string name;
    std::string value;
    bool operator==(const EnvSet&) const = default;
};
struct EnvRemove {
    std::string name;
    bool operator==(const EnvRemove&) const = default;
};
using EnvCommands = std::variant<EnvSet, EnvRemove>;

void define_env_subcommands(args::Command& command);
// Reads `set` or `remove` from the parse result of env's inner subcommand.
ReadResult<EnvCommands> read_env_command(const args::Matches::Subcommand& sub);

}  // namespace kestrune::cli
