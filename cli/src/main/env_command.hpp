// The env subcommand: the IDE's own environment variables.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "args/command.hpp"
#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "win/registry_error.hpp"

namespace kestrune::cli {

struct App;  // app.hpp holds these commands, so it cannot be included here

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

// The IDE architectures env and env-path act on: the one --architecture names, else the one
// --platform maps to, else every installed IDE. Fixes App.installation.
std::expected<catalogue::EnumSet<catalogue::Architecture>, CommandError> choose_ide_architectures(App& app);

// Lists, sets or removes the variables of each architecture's IDE, x86 first; stops at the
// first error.
win::RegistryResult<void> run_env(const std::optional<EnvCommands>& command, const catalogue::Installation& installation,
                                  const catalogue::EnumSet<catalogue::Architecture>& architectures);

// env's branch of the dispatch.
std::expected<void, CommandError> run_env_command(App& app);

}  // namespace kestrune::cli
