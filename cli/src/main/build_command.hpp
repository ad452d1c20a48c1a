// The build and bds subcommands: one project built with MSBuild or with bds.exe.
#pragma once

#include "args/command.hpp"
#include "main/read_error.hpp"
#include "msbuild/build_options.hpp"

namespace kestrune::cli {

void define_build_options(args::Command& command);
void define_version_info_options(args::Command& command);
ReadResult<msbuild::BuildOptions> read_build_options(const args::Matches& matches);
msbuild::VersionInfo read_version_info(const args::Matches& matches);

// The value list of an Architecture option: names, help texts and hidden aliases.
std::vector<args::PossibleValue> architecture_values();

}  // namespace kestrune::cli
