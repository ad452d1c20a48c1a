#include "main/build_command.hpp"

#include <string>

#include "backends/bds_builder.hpp"
#include "backends/msbuild_builder.hpp"
#include "main/option_table.hpp"
#include "main/possible_values.hpp"
#include "main/run_tool.hpp"
#include "main/target.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view version_info_heading = "Include Version Information";

const OptionTable<backends::BuildOptions>& build_options() {
    static const OptionTable<backends::BuildOptions> table{
        {args::Arg{.id = "file", .value_name = "FILE", .help = "Specify project file", .kind = args::ValueKind::Path,
                   .required = true},
         into<&backends::BuildOptions::file>},
        {args::Arg{
             .id = "config",
             .short_name = 'c',
             .long_name = "config",
             .value_name = "CONFIG",
             .help = "Specify the configuration name (e.g., Debug or Release)",
             .long_help = "Specify the configuration name (e.g., Debug or Release).\n\n"
                          "If omitted, the default configuration defined in the project file is used.",
         },
         into<&backends::BuildOptions::config>},
        {args::Arg{
             .id = "preferred_tool_architecture",
             .short_name = 't',
             .long_name = "preferred-tool-architecture",
             .aliases = {"pta", "tool", "tools", "toolarch", "tool-arch"},
             .value_name = "ARCH",
             .help = "Defines whether to use 32-bit or 64-bit command-line tools and compilers",
             .possible_values = architecture_values(),
         },
         into<&backends::BuildOptions::preferred_tool_architecture>},
    };
    return table;
}

void define_version_info_options(args::Command& command) {
    for (const auto& field : backends::version_info_fields) {
        args::Arg arg{
            .id = std::string(field.id),
            .long_name = std::string(field.long_name),
            .value_name = std::string(field.value_name),
            .help = std::string(field.help),
            .heading = std::string(version_info_heading),
        };
        if (!field.long_help_tail.empty()) arg.long_help = arg.help + std::string(field.long_help_tail);
        command.args.push_back(std::move(arg));
    }
}

backends::VersionInfo read_version_info(const args::Matches& matches) {
    backends::VersionInfo info;
    for (const auto& field : backends::version_info_fields) info.*field.member = read_optional_text(matches, field.id);
    return info;
}

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

void define_build_options(args::Command& command) {
    declare_options(command, build_options());
    define_version_info_options(command);
}

ReadResult<backends::BuildOptions> read_build_options(const args::Matches& matches) {
    backends::BuildOptions options;
    if (auto done = read_options(matches, build_options(), options); !done) return std::unexpected(std::move(done.error()));
    options.version_info = read_version_info(matches);
    return options;
}

std::expected<std::uint32_t, CommandError> run_msbuild_build(const backends::BuildOptions& options, App& app, Output& out) {
    return run_build(options, true, app, out);
}

std::expected<std::uint32_t, CommandError> run_bds_build(const backends::BuildOptions& options, App& app, Output& out) {
    return run_build(options, false, app, out);
}

}  // namespace kestrune::cli
