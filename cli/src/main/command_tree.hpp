// The command tree: the top command, its global options and the 15 subcommands.
#pragma once

#include <span>
#include <string_view>

#include "args/command.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

inline constexpr std::string_view program_name = "Kestrune CLI";
inline constexpr std::string_view program_version = "1.0.4";

using HandlerResult = std::expected<void, CommandError>;

// One subcommand: what the tree declares, how its parse result is read, and who runs it.
struct Subcommand {
    std::string_view name;
    std::span<const std::string_view> aliases;  // hidden
    std::string_view about;
    std::string_view long_about;                // empty: about
    void (*define)(args::Command&);             // nullptr: no arguments of its own
    bool inner_required;                        // package and self
    ReadResult<Commands> (*read)(const args::Matches&);
    HandlerResult (*run)(App&);
};

// Every subcommand, in the order of the help's command list and of `Commands`.
std::span<const Subcommand> subcommands();

args::Command define_command_line();

bool is_env_subcommand(std::string_view name);
bool is_path_subcommand(std::string_view name);

// Reads the global options out of the top-level parse result.
ReadResult<GlobalOptions> read_global_options(const args::Matches& matches);

}  // namespace kestrune::cli
