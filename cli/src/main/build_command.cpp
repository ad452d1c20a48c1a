#include "main/build_command.hpp"

#include <memory>

#include "backends/bds_builder.hpp"
#include "backends/msbuild_builder.hpp"
#include "catalogue/enums.hpp"
#include "catalogue/paths.hpp"
#include "main/installations.hpp"
#include "main/tool_status.hpp"
#include "output/sink.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view version_info_heading = "Include Version Information";

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

// bds.exe of the installation the command acts on, for the global --architecture.
std::expected<std::string, CommandError> find_bds_exe(App& app) {
    const std::optional<catalogue::Architecture> architecture = app.global_options.architecture;
    if (auto path = catalogue::ide_path_for_architecture(resolve_installation(app), architecture)) return std::move(*path);
    std::string message = "bds.exe not found";
    if (architecture) message += " (" + std::string(catalogue::ide_name(*architecture)) + " not installed)";
    return std::unexpected(CommandError{std::move(message), {}});
}

}  // namespace

std::vector<args::PossibleValue> architecture_values() {
    std::vector<args::PossibleValue> values;
    for (const auto& a : catalogue::architecture_table)
        values.push_back({std::string(a.name), std::string(a.help), {a.aliases.begin(), a.aliases.end()}});
    return values;
}

void define_build_options(args::Command& command) {
    command.args.push_back(args::Arg{
        .id = "file", .value_name = "FILE", .help = "Specify project file", .kind = args::ValueKind::Path, .required = true});
    command.args.push_back(args::Arg{
        .id = "config",
        .short_name = 'c',
        .long_name = "config",
        .value_name = "CONFIG",
        .help = "Specify the configuration name (e.g., Debug or Release)",
        .long_help = "Specify the configuration name (e.g., Debug or Release).\n\n"
                     "If omitted, the default configuration defined in the project file is used.",
    });
    command.args.push_back(args::Arg{
        .id = "preferred_tool_architecture",
        .short_name = 't',
        .long_name = "preferred-tool-architecture",
        .aliases = {"pta", "tool", "tools", "toolarch", "tool-arch"},
        .value_name = "ARCH",
        .help = "Defines whether to use 32-bit or 64-bit command-line tools and compilers",
        .possible_values = architecture_values(),
    });
    define_version_info_options(command);
}

ReadResult<backends::BuildOptions> read_build_options(const args::Matches& matches) {
    auto file = read_path(matches, "file");
    if (!file) return std::unexpected(file.error());
    backends::BuildOptions options;
    options.file = std::move(*file);
    options.config = read_optional_text(matches, "config");
    if (const auto choice = matches.choice("preferred_tool_architecture"))
        options.preferred_tool_architecture = static_cast<catalogue::Architecture>(*choice);
    options.version_info = read_version_info(matches);
    return options;
}

std::expected<DWORD, CommandError> run_build(App& app, bool use_msbuild, const backends::BuildOptions& options) {
    // The back-end gets its own copy; the splash choice is a global option, not the subcommand's.
    backends::BuildOptions build_options = options;
    build_options.no_splash = app.global_options.no_splash;
    const catalogue::Installation& installation = resolve_installation(app);

    std::unique_ptr<backends::Builder> builder;
    if (use_msbuild) {
        // The rsvars script is what makes MSBuild.exe reachable, so its absence is reported as MSBuild's.
        auto rsvars = catalogue::rsvars_path_for_architecture(installation, app.global_options.architecture);
        if (!rsvars) return std::unexpected(CommandError{"MSBuild.exe not found", {}});
        builder = std::make_unique<backends::MSBuildBuilder>(std::move(*rsvars));
    } else {
        auto bds_exe = find_bds_exe(app);
        if (!bds_exe) return std::unexpected(std::move(bds_exe.error()));
        builder = std::make_unique<backends::BdsBuilder>(std::move(*bds_exe), [](std::string_view text) { print(text); });
    }

    flush();  // our output before the child's on the shared console
    auto code = builder->build(app.global_options.platform, build_options);
    if (!code) return std::unexpected(command_error(code.error()));
    // cmd.exe ends with MSBuild's status, or with the rsvars script's when that fails first:
    // either way the tool the user asked for is MSBuild.exe.
    return tool_status(use_msbuild ? "MSBuild.exe" : "bds.exe", *code);
}

}  // namespace kestrune::cli
