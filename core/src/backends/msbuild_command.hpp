// The command line that builds a project with MSBuild: cmd.exe runs the installation's rsvars
// script and then MSBuild.exe. Apart from running it (msbuild_builder), so that it is built
// and checked without the platform.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "backends/build_options.hpp"
#include "catalogue/enums.hpp"
#include "win/command_line.hpp"

namespace kestrune::backends {

// MSBuild's arguments as MSBuild receives them: the quoted project, the target, the
// properties, then /nologo.
std::vector<std::wstring> msbuild_arguments(std::optional<catalogue::Platform> platform, const BuildOptions& options);

// cmd.exe with /C and one verbatim text that calls the rsvars script and then MSBuild.exe;
// the characters cmd.exe would take as operators outside quotes are escaped.
win::ChildCommand msbuild_command(const std::string& rsvars, std::optional<catalogue::Platform> platform,
                                  const BuildOptions& options);

}  // namespace kestrune::backends
