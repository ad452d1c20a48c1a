// The command tree: the top command, its global options and the 15 subcommands.
#pragma once

#include <windows.h>

#include <expected>
#include <span>
#include <string_view>

#include "args/command.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

inline constexpr std::string_view program_name = "Kestrune CLI";

// What a handler ends with: the exit code of the tool it ran, unchanged (0 when it ran none),
// which becomes the process's exit status; or the error that main reports.
using HandlerResult = std::expected<DWORD, CommandError>;
// The outcome of a handler that runs no tool.
HandlerResult without_tool(std::expected<void, CommandError> done);

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
