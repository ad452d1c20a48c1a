// The package subcommand: design-time packages compiled, registered and unregistered.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "catalogue/installation.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/package_source.hpp"
#include "main/read_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// Where compile --install expects the built package: the output directory resolved against
// the current directory, and the source's stem between the prefix and the suffix, with ".bpl";
// nullopt when the source names no file.
std::optional<std::wstring> package_bpl_path(std::wstring_view current_dir, std::wstring_view output_dir,
                                             std::wstring_view source, std::wstring_view prefix, std::wstring_view suffix);

// The suffix the installation's compiler puts after the package's stem: the source's own, or
// for {$LIBSUFFIX AUTO} its package version number (280 for 22.0, 290 for 23.0, 370 for 37.0;
// nothing for an installation without one).
std::string package_lib_suffix(const PackageSource& source, const catalogue::Installation& installation);

// package's branch of the dispatch: compiles, registers or unregisters, printing nothing of
// its own; gives the compiler's exit code for compile (a package that failed to compile is
// not registered), else 0.
std::expected<std::uint32_t, CommandError> run_package_command(const PackageCommands& command, App& app, Output& out);

}  // namespace kestrune::cli
