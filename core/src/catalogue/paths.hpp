// Where an installation's files lie, and which architectures, platforms and tools it has.
// Every answer is read afresh from the record and the file system; nothing fails.
#pragma once

#include <optional>
#include <string>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"

namespace kestrune::catalogue {

// The "RootDir" value; the empty path when it is absent.
std::string root_dir(const Installation& installation);
// The tool directory of an architecture under the root directory: root\bin or root\bin64.
std::string bin_dir(const Installation& installation, Architecture architecture);
// The toolchain environment script of an architecture: root\bin\rsvars.bat or root\bin64\rsvars64.bat.
std::string rsvars_path(const Installation& installation, Architecture architecture);
// The IDE executable named by "App" or "App x64", unchanged; the empty path when absent.
std::string ide_path(const Installation& installation, Architecture architecture);
// Where a tool would lie in an architecture's tool directory, whether or not it exists.
std::string tool_path(const Installation& installation, Tool tool, Architecture architecture);

// The first existing tool file in the architecture's search order (no architecture searches as x86).
std::optional<std::string> find_tool(const Installation& installation, Tool tool, std::optional<Architecture> architecture);
// A Delphi compiler's file as find_tool finds it; never a path for BCC64X or BRCC32.
std::optional<std::string> compiler_path(const Installation& installation, Tool tool,
                                         std::optional<Architecture> architecture);
// The resource compiler's file as find_tool finds it.
std::optional<std::string> brcc32_path(const Installation& installation, std::optional<Architecture> architecture);

// Architectures whose rsvars script exists.
EnumSet<Architecture> architectures(const Installation& installation);
// Architectures whose IDE executable exists.
EnumSet<Architecture> ide_architectures(const Installation& installation);
// The IDE platform (Win32, Win64) of each IDE architecture.
EnumSet<Platform> ide_platforms(const Installation& installation);
// Platforms whose deciding compiler is found in either tool directory.
EnumSet<Platform> platforms(const Installation& installation);
// Tools, BRCC32 included, present in that architecture's own tool directory.
EnumSet<Tool> command_line_tools(const Installation& installation, Architecture architecture);

// The rsvars script of the given architecture if it exists, or with none given that of the first
// architecture that has one (x86 before x64).
std::optional<std::string> rsvars_path_for_architecture(const Installation& installation,
                                                        std::optional<Architecture> architecture);
// The IDE executable chosen the same way among the IDE architectures.
std::optional<std::string> ide_path_for_architecture(const Installation& installation,
                                                     std::optional<Architecture> architecture);

}  // namespace kestrune::catalogue
