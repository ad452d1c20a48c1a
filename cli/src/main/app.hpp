// The parsed command line, which is also the context every handler receives.
#pragma once

#include <optional>
#include <variant>

#include "backends/build_options.hpp"
#include "backends/compiler_options.hpp"
#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "main/env_command.hpp"
#include "main/package_command.hpp"
#include "main/path_commands.hpp"
#include "main/select_command.hpp"
#include "main/self_command.hpp"

namespace kestrune::cli {

struct GlobalOptions {
    std::optional<catalogue::Architecture> architecture;
    std::optional<catalogue::Platform> platform;
    bool json = false;
    bool no_splash = false;
};

// One variant per subcommand, in the order of the command list.
namespace commands {
struct Build { backends::BuildOptions options; };
struct Bds { backends::BuildOptions options; };
struct Dcc { backends::DccOptions options; };
struct Dcc32 { backends::DccOptions options; };
struct Dcc64 { backends::DccOptions options; };
struct Dccarm64ec { backends::DccOptions options; };
struct Package { PackageCommands command; };
struct Brcc { backends::BrccOptions options; };
struct Env { std::optional<EnvCommands> command; };          // none: list
struct EnvPath { std::optional<PathCommands> command; };     // none: list
struct LibraryPath { std::optional<PathCommands> command; };
struct BrowsingPath { std::optional<PathCommands> command; };
struct Select { SelectOptions options; };
struct Info {};
struct Self_ { SelfCommands command; };
}  // namespace commands

using Commands = std::variant<commands::Build, commands::Bds, commands::Dcc, commands::Dcc32, commands::Dcc64,
                              commands::Dccarm64ec, commands::Package, commands::Brcc, commands::Env, commands::EnvPath,
                              commands::LibraryPath, commands::BrowsingPath, commands::Select, commands::Info,
                              commands::Self_>;

struct App {
    const catalogue::Installation* name = nullptr;        // the installation NAME resolved to
    std::optional<Commands> command;                // none: no subcommand given
    GlobalOptions global_options;
    const catalogue::Installation* installation = nullptr;  // fixed on first use, then unchanged
};

}  // namespace kestrune::cli
