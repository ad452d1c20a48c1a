// The env subcommand: the IDE's own environment variables.
#pragma once

#include <expected>
#include <optional>
#include <string_view>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"
#include "win/registry_error.hpp"

namespace kestrune::cli {

// Lists, sets or removes the variables of each architecture's IDE, x86 first; stops at the
// first error.
win::RegistryResult<void> run_env(const std::optional<EnvCommands>& command, const catalogue::Installation& installation,
                                  const catalogue::EnumSet<catalogue::Architecture>& architectures, Output& out);

// env's branch of the dispatch: run_env on the IDE architectures that the global options pick.
std::expected<void, CommandError> run_env_command(const std::optional<EnvCommands>& command, App& app, Output& out);

}  // namespace kestrune::cli
