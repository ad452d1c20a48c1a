// The path-list subcommands env-path, library-path and browsing-path, and the path-list
// edits they share with self.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "args/command.hpp"
#include "catalogue/registry_locations.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"
#include "win/registry_error.hpp"

namespace kestrune::cli {

struct App;  // app.hpp holds these commands, so it cannot be included here

struct PathCommands {
    enum class Kind { Add, Insert, Remove };
    Kind kind;
    std::wstring item;  // as received: not required to be valid Unicode
    bool operator==(const PathCommands&) const = default;
};

void define_path_subcommands(args::Command& command);
ReadResult<PathCommands> read_path_command(const args::Matches::Subcommand& sub);

// Adds each piece of the items text that the list lacks, at the end or (prepend) at the
// front; the list is written back even when nothing was added.
win::RegistryResult<void> add_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                         std::wstring_view items, bool prepend);
// Removes every entry equal to a piece of the items text; the list is written back even
// when nothing was removed.
win::RegistryResult<void> remove_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                            std::wstring_view items);
// Whether two entries are the same path: equal after folding ASCII letters, nothing else.
bool same_path_item(std::wstring_view a, std::wstring_view b);

// The branches of the dispatch for env-path, library-path and browsing-path.
std::expected<void, CommandError> run_env_path_command(App& app);
std::expected<void, CommandError> run_library_path_command(App& app);
std::expected<void, CommandError> run_browsing_path_command(App& app);

}  // namespace kestrune::cli
