// What a command acts on: the installation, and from the global options the IDE architectures,
// platforms and tools it works with. Every rule of that choice lives here; a handler resolves
// the installation once and hands `const Installation&` down.
#pragma once

#include <expected>
#include <optional>
#include <string>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"

namespace kestrune::cli {

// The installation the command acts on: NAME's, else the latest; fixed on first use.
const catalogue::Installation& resolve_installation(App& app);

// How env and env-path report a --platform that no installed IDE runs on.
std::string no_ide_for_platform(catalogue::Platform platform);

// The installed IDE architectures that the global options pick: the one --architecture names
// (an error when that IDE is missing), else the one --platform runs on (Win32 the 32-bit IDE,
// Win64 the 64-bit one; `no_ide_for` words the error when no installed IDE does), else all of
// them.
std::expected<catalogue::EnumSet<catalogue::Architecture>, CommandError> choose_ide_architectures(
    const catalogue::Installation& installation, const GlobalOptions& options,
    std::string (*no_ide_for)(catalogue::Platform) = no_ide_for_platform);

// The platforms library-path and browsing-path act on: the one --platform names, which must
// be installed, else every installed platform.
std::expected<catalogue::EnumSet<catalogue::Platform>, CommandError> choose_platforms(
    const catalogue::Installation& installation, const GlobalOptions& options);

// A command-line tool's file for the --architecture given, or "{file} not found".
std::expected<std::string, CommandError> locate_tool(const catalogue::Installation& installation, catalogue::Tool tool,
                                                     std::optional<catalogue::Architecture> architecture);
// bds.exe for the --architecture given, or "bds.exe not found" (naming the missing IDE when one was given).
std::expected<std::string, CommandError> locate_bds_exe(const catalogue::Installation& installation,
                                                        std::optional<catalogue::Architecture> architecture);
// The rsvars script that makes MSBuild.exe reachable, for the --architecture given; its absence
// is reported as MSBuild's: "MSBuild.exe not found".
std::expected<std::string, CommandError> locate_msbuild_rsvars(const catalogue::Installation& installation,
                                                               std::optional<catalogue::Architecture> architecture);

}  // namespace kestrune::cli
