// The compiler subcommands dcc, dcc32, dcc64 and dccarm64ec.
#pragma once

#include <cstdint>
#include <expected>

#include "backends/compiler_options.hpp"
#include "catalogue/enums.hpp"
#include "main/app.hpp"
#include "main/command_error.hpp"
#include "main/compile.hpp"
#include "main/target.hpp"
#include "output/output.hpp"

namespace kestrune::cli {

// dcc: the compiler of the global --platform, which must be given.
std::expected<std::uint32_t, CommandError> run_dcc_command(const backends::DccOptions& options, App& app, Output& out);

// dcc32, dcc64 and dccarm64ec: their own compiler, for the global --architecture.
template <catalogue::Tool Compiler>
std::expected<std::uint32_t, CommandError> run_fixed_compiler(const backends::DccOptions& options, App& app, Output& out) {
    return run_compile(resolve_installation(app), app.global_options.architecture, Compiler, options, out);
}

}  // namespace kestrune::cli
