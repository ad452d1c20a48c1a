// The env subcommand: the IDE's own environment variables.
#pragma once

#include <expected>
#include <string>
#include <string_view>
#include <variant>

#include "args/command.hpp"
#include "catalogue/enums.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

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

// How env and env-path report a --platform that no installed IDE runs on.
std::string no_ide_for_platform(catalogue::Platform platform);

// The installed IDE architectures that the global options pick: the one --architecture names
// (an error when that IDE is missing), else the one --platform runs on (Win32 the 32-bit IDE,
// Win64 the 64-bit one; `no_ide_for` words the error when no installed IDE does), else all of
// them. Fixes App.installation.
std::expected<catalogue::EnumSet<catalogue::Architecture>, CommandError> choose_ide_architectures(
    App& app, std::string (*no_ide_for)(catalogue::Platform) = no_ide_for_platform);

// env's branch of the dispatch.
std::expected<void, CommandError> run_env_command(App& app);

}  // namespace kestrune::cli
