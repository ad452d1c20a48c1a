// The package subcommand: design-time packages compiled, registered and unregistered.
#pragma once

#include <string>
#include <variant>

#include "args/command.hpp"
#include "main/read_error.hpp"
#include "msbuild/compiler_options.hpp"

namespace kestrune::cli {

struct PackageCompile {
    bool install = false;
    msbuild::DccOptions options;
    bool operator==(const PackageCompile&) const = default;
};
struct PackageRegister {
    std::wstring bpl_path;
    std::string description;
    bool operator==(const PackageRegister&) const = default;
};
struct PackageUnregister {
    std::wstring bpl_path;
    bool operator==(const PackageUnregister&) const = default;
};
using PackageCommands = std::variant<PackageCompile, PackageRegister, PackageUnregister>;

void define_package_subcommands(args::Command& command);
ReadResult<PackageCommands> read_package_command(const args::Matches& matches);

}  // namespace kestrune::cli
