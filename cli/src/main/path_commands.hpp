// The path-list subcommands env-path, library-path and browsing-path.
#pragma once

#include <expected>
#include <optional>
#include <string_view>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "catalogue/registry_locations.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"
#include "win/registry_error.hpp"

namespace kestrune::cli {

// Lists or edits the IDE PATH ("Path" under "Environment Variables") of each architecture, x86
// first; each list is titled "{IDE} PATH".
win::RegistryResult<void> run_env_path(const std::optional<PathCommands>& command, const catalogue::Installation& installation,
                                       const catalogue::EnumSet<catalogue::Architecture>& architectures, Output& out);
// Lists or edits the value in each platform's Library key; the lists are titled
// "{platform} {title}".
win::RegistryResult<void> run_platform_path_list(std::string_view title, const catalogue::RegistryValue& value,
                                                 const std::optional<PathCommands>& command,
                                                 const catalogue::Installation& installation,
                                                 const catalogue::EnumSet<catalogue::Platform>& platforms, Output& out);

// The branches of the dispatch: env-path on the IDE architectures, library-path and
// browsing-path on the platforms that the global options pick.
std::expected<void, CommandError> run_env_path_command(const std::optional<PathCommands>& command, App& app, Output& out);
std::expected<void, CommandError> run_library_path_command(const std::optional<PathCommands>& command, App& app,
                                                           Output& out);
std::expected<void, CommandError> run_browsing_path_command(const std::optional<PathCommands>& command, App& app,
                                                            Output& out);

}  // namespace kestrune::cli
