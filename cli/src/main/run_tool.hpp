// Running one of the installation's tools for a command, and how the command ends then: with
// the tool's exit status, told in one line when the tool failed.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "main/command_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// "Error: MSBuild.exe failed with exit status 1" and a line feed. A status of 0xC0000000 or
// above, which Windows gives a process that crashed or was stopped, follows in hexadecimal as
// the system's tables write it: "... exit status 3221225477 (0xC0000005)".
std::string tool_failure_line(std::string_view tool, std::uint32_t status);

// The tool's exit status, passed on; when it is not 0, the failure line goes to standard error
// first, after the tool's own output, so that a log shows which tool failed even when it said
// nothing itself.
std::uint32_t tool_status(Output& out, std::string_view tool, std::uint32_t status);

// Runs the tool (its file name in `tool`, as the messages give it): `found` is its path, or the
// error saying it was not found; `refusal` says why its arguments cannot be passed to it. Then
// our output goes first on the shared console, `run` starts the tool on the path and waits for
// it, and its exit code, whatever its value, ends the command; an error of `run` is the
// command's.
template <class Run>
std::expected<std::uint32_t, CommandError> run_tool(Output& out, std::string_view tool, std::expected<std::string, CommandError> found,
                                            std::optional<std::string> refusal, Run run) {
    if (!found) return std::unexpected(std::move(found.error()));
    if (refusal) return std::unexpected(CommandError{std::move(*refusal), {}});
    out.flush();
    auto code = run(*found);
    if (!code) return std::unexpected(command_error(code.error()));
    return tool_status(out, tool, *code);
}

}  // namespace kestrune::cli
