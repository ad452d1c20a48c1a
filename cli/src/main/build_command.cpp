#include "main/build_command.hpp"

#include <string>

#include "backends/bds_builder.hpp"
#include "backends/msbuild_builder.hpp"
#include "main/run_tool.hpp"
#include "main/target.hpp"

namespace kestrune::cli {
namespace {

// Builds the project with MSBuild (use_msbuild) or with bds.exe.
std::expected<std::uint32_t, CommandError> run_build(const backends::BuildOptions& options, bool use_msbuild, App& app, Output& out) {
    // The back-end gets its own copy; the splash choice is a global option, not the subcommand's.
    backends::BuildOptions build_options = options;
    const GlobalOptions& global = app.global_options;
    build_options.no_splash = global.no_splash;
    const catalogue::Installation& installation = resolve_installation(app);

    // cmd.exe ends with MSBuild's status, or with the rsvars script's when that fails first:
    // either way the tool the user asked for is MSBuild.exe.
    if (use_msbuild)
        return run_tool(out, "MSBuild.exe", locate_msbuild_rsvars(installation, global.architecture), std::nullopt,
                        [&](const std::string& rsvars) {
                            return backends::MSBuildBuilder(rsvars).build(global.platform, build_options);
                        });
    return run_tool(out, "bds.exe", locate_bds_exe(installation, global.architecture), std::nullopt,
                    [&](const std::string& bds_exe) {
                        return backends::BdsBuilder(bds_exe, [&out](std::string_view text) { out.print(text); })
                            .build(global.platform, build_options);
                    });
}

}  // namespace

std::expected<std::uint32_t, CommandError> run_msbuild_build(const backends::BuildOptions& options, App& app, Output& out) {
    return run_build(options, true, app, out);
}

std::expected<std::uint32_t, CommandError> run_bds_build(const backends::BuildOptions& options, App& app, Output& out) {
    return run_build(options, false, app, out);
}

}  // namespace kestrune::cli
