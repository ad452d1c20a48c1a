// A run of one of the installation's Delphi compilers: the compile commands' and package compile's.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "backends/compiler_options.hpp"
#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "main/command_error.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// Runs the compiler file of the tool (for the --architecture given) on the options; gives the
// compiler's exit code, whatever its value.
std::expected<std::uint32_t, CommandError> run_compile(const catalogue::Installation& installation,
                                               std::optional<catalogue::Architecture> architecture, catalogue::Tool tool,
                                               const backends::DccOptions& options, Output& out);

}  // namespace kestrune::cli
