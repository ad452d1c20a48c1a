#include "main/dcc_command.hpp"

namespace kestrune::cli {

std::expected<std::uint32_t, CommandError> run_dcc_command(const backends::DccOptions& options, App& app, Output& out) {
    // Checked before the installation is fixed, so this reads no registry.
    const auto platform = app.global_options.platform;
    if (!platform) return std::unexpected(CommandError{"the platform must be specified", {}});
    return run_compile(resolve_installation(app), app.global_options.architecture, catalogue::info(*platform).compiler,
                       options, out);
}

}  // namespace kestrune::cli
