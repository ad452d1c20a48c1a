// The parsed command line, which is also the context every handler receives.
#pragma once

#include <optional>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "main/commands.hpp"

namespace kestrune::cli {

struct GlobalOptions {
    std::optional<catalogue::Architecture> architecture;
    std::optional<catalogue::Platform> platform;
    bool json = false;
    bool no_splash = false;
};

struct App {
    const catalogue::Installation* name = nullptr;        // the installation NAME resolved to
    std::optional<Commands> command;                      // none: no subcommand given
    GlobalOptions global_options;
    const catalogue::Installation* installation = nullptr;  // fixed on first use, then unchanged
};

}  // namespace kestrune::cli
