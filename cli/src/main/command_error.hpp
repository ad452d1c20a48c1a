// The error a command handler returns, and its report on standard error.
#pragma once

#include <string>
#include <vector>

#include "backends/project_error.hpp"
#include "win/io_error.hpp"
#include "win/registry_error.hpp"

namespace kestrune::cli {

struct CommandError {
    std::string message;
    std::vector<std::string> causes;  // outermost first; usually none

    // "Error: " and the message, then a "Caused by:" section when there are causes, and a line feed.
    std::string report() const;
};

// A registry error as a handler's error: its text unchanged, no causes.
CommandError command_error(const win::RegistryError& error);
// An I/O error as a handler's error: its text unchanged, no causes.
CommandError command_error(const win::IoError& error);
// A build back-end's error as a handler's error: its text and its causes unchanged.
CommandError command_error(const backends::ProjectError& error);

}  // namespace kestrune::cli
