#include "main/command_tree.hpp"

#include <array>

#include "main/brcc_command.hpp"
#include "main/build_command.hpp"
#include "main/dcc_command.hpp"
#include "main/info_command.hpp"
#include "main/installations.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view program_version = KESTRUNE_VERSION;  // the build's project version

constexpr std::string_view global_heading = "Global Options";

constexpr std::string_view name_help = "Specify the RAD Studio name or version (e.g. 13, XE2, or Florence)";
constexpr std::string_view name_long_help =
    "Specify the RAD Studio name or version (e.g. 13, XE2, or Florence)\n\n"
    "Supported values:\n"
    "- Product name: \"RAD Studio 13\" or \"RAD Studio 13.1\"\n"
    "- Product codename: Florence, Rio, Berlin\n"
    "- Product version: 13, 12, XE2, XE8\n\n"
    "If omitted, the latest installed version is used.";

constexpr std::string_view bds_long_about =
    "Build project with bds.exe\n\n"
    "This command uses exactly the same command-line options as the `build` command, which uses MSBuild.";

template <class Variant>
ReadResult<Commands> read_build(const args::Matches& m) {
    auto options = read_build_options(m);
    if (!options) return std::unexpected(options.error());
    return Variant{std::move(*options)};
}

template <class Variant>
ReadResult<Commands> read_dcc(const args::Matches& m) {
    auto options = read_dcc_options(m);
    if (!options) return std::unexpected(options.error());
    return Variant{std::move(*options)};
}

template <class Variant>
ReadResult<Commands> read_path_list_command(const args::Matches& m) {
    const auto* sub = m.subcommand();
    if (!sub || !is_path_subcommand(sub->name)) return Variant{};
    auto command = read_path_command(*sub);
    if (!command) return std::unexpected(command.error());
    return Variant{std::move(*command)};
}

ReadResult<Commands> read_package(const args::Matches& m) {
    auto command = read_package_command(m);
    if (!command) return std::unexpected(command.error());
    return commands::Package{std::move(*command)};
}

ReadResult<Commands> read_brcc(const args::Matches& m) {
    auto options = read_brcc_options(m);
    if (!options) return std::unexpected(options.error());
    return commands::Brcc{std::move(*options)};
}

ReadResult<Commands> read_env(const args::Matches& m) {
    const auto* sub = m.subcommand();
    if (!sub || !is_env_subcommand(sub->name)) return commands::Env{};
    auto command = read_env_command(*sub);
    if (!command) return std::unexpected(command.error());
    return commands::Env{std::move(*command)};
}

ReadResult<Commands> read_select(const args::Matches& m) {
    auto options = read_select_options(m);
    if (!options) return std::unexpected(options.error());
    return commands::Select{std::move(*options)};
}

ReadResult<Commands> read_info(const args::Matches&) { return commands::Info{}; }

HandlerResult run_msbuild_build(App& app) {
    return run_build(app, true, std::get<commands::Build>(*app.command).options);
}

HandlerResult run_bds_build(App& app) { return run_build(app, false, std::get<commands::Bds>(*app.command).options); }

template <class Variant, catalogue::Tool Compiler>
HandlerResult run_fixed_compiler(App& app) {
    return run_compile(app, Compiler, std::get<Variant>(*app.command).options);
}

HandlerResult run_brcc(App& app) { return run_brcc_command(app, std::get<commands::Brcc>(*app.command).options); }

template <std::expected<void, CommandError> (*Run)(App&)>
HandlerResult runs_no_tool(App& app) {
    return without_tool(Run(app));
}

ReadResult<Commands> read_self(const args::Matches& m) {
    auto command = read_self_command(m);
    if (!command) return std::unexpected(command.error());
    return commands::Self_{*command};
}

constexpr std::string_view build_name = "build", bds_name = "bds", dcc_name = "dcc", dcc32_name = "dcc32",
                           dcc64_name = "dcc64", dccarm64ec_name = "dccarm64ec", package_name = "package",
                           brcc_name = "brcc", env_name = "env", env_path_name = "env-path",
                           library_path_name = "library-path", browsing_path_name = "browsing-path",
                           select_name = "select", info_name = "info", self_name = "self";

constexpr std::array<std::string_view, 1> build_aliases{"msbuild"};
constexpr std::array<std::string_view, 1> brcc_aliases{"brcc32"};
constexpr std::array<std::string_view, 2> env_path_aliases{"envpath", "path"};
constexpr std::array<std::string_view, 3> library_path_aliases{"librarypath", "lib-path", "libpath"};
constexpr std::array<std::string_view, 1> browsing_path_aliases{"browsingpath"};

const std::array<Subcommand, 15> subcommand_table{{
    {build_name, build_aliases, "Build project with MSBuild", {}, define_build_options, false,
     read_build<commands::Build>, run_msbuild_build},
    {bds_name, {}, "Build project with bds.exe", bds_long_about, define_build_options, false,
     read_build<commands::Bds>, run_bds_build},
    {dcc_name, {}, "Delphi command-line compiler", {}, define_dcc_options, false, read_dcc<commands::Dcc>,
     run_dcc_command},
    {dcc32_name, {}, "Delphi command-line compiler for Win32", {}, define_dcc_options, false,
     read_dcc<commands::Dcc32>, run_fixed_compiler<commands::Dcc32, catalogue::Tool::DCC32>},
    {dcc64_name, {}, "Delphi command-line compiler for Win64", {}, define_dcc_options, false,
     read_dcc<commands::Dcc64>, run_fixed_compiler<commands::Dcc64, catalogue::Tool::DCC64>},
    {dccarm64ec_name, {}, "Delphi command-line compiler for WinARM64EC", {}, define_dcc_options, false,
     read_dcc<commands::Dccarm64ec>, run_fixed_compiler<commands::Dccarm64ec, catalogue::Tool::DCCARM64EC>},
    {package_name, {}, "Manage design-time packages", {}, define_package_subcommands, true, read_package,
     run_package_command},
    {brcc_name, brcc_aliases, "Resource compiler (brcc32.exe)", {}, define_brcc_options, false, read_brcc,
     run_brcc},
    {env_name, {}, "Manage IDE environment variables", {}, define_env_subcommands, false, read_env,
     runs_no_tool<run_env_command>},
    {env_path_name, env_path_aliases, "Manage IDE environment variable PATH", {}, define_path_subcommands, false,
     read_path_list_command<commands::EnvPath>, runs_no_tool<run_env_path_command>},
    {library_path_name, library_path_aliases, "Manage IDE library path", {}, define_path_subcommands, false,
     read_path_list_command<commands::LibraryPath>, runs_no_tool<run_library_path_command>},
    {browsing_path_name, browsing_path_aliases, "Manage IDE browsing path", {}, define_path_subcommands, false,
     read_path_list_command<commands::BrowsingPath>, runs_no_tool<run_browsing_path_command>},
    {select_name, {}, "Select IDE interactively", {}, define_select_options, false, read_select,
     runs_no_tool<run_select_command>},
    {info_name, {}, "Print installed RAD Studio product information", {}, nullptr, false, read_info,
     runs_no_tool<run_info_command>},
    {self_name, {}, "Manage this tool itself", {}, define_self_subcommands, true, read_self,
     runs_no_tool<run_self_command>},
}};

std::vector<args::PossibleValue> platform_values() {
    std::vector<args::PossibleValue> values;
    for (const auto& p : catalogue::platform_table) values.push_back({std::string(p.name), std::string(p.help), {}});
    return values;
}

}  // namespace

HandlerResult without_tool(std::expected<void, CommandError> done) {
    if (!done) return std::unexpected(std::move(done.error()));
    return 0;
}

std::span<const Subcommand> subcommands() { return subcommand_table; }

args::Command define_command_line() {
    args::Command top{.name = std::string(program_name)};
    top.args.push_back(args::Arg{.id = "name",
                                 .value_name = "NAME",
                                 .help = std::string(name_help),
                                 .long_help = std::string(name_long_help),
                                 .value_parser = parse_installation_name});
    for (const Subcommand& s : subcommand_table) {
        args::Command sub{.name = std::string(s.name),
                          .aliases = {s.aliases.begin(), s.aliases.end()},
                          .about = std::string(s.about),
                          .long_about = std::string(s.long_about),
                          .subcommand_required = s.inner_required,
                          .help_when_empty = s.inner_required};
        if (s.define) s.define(sub);
        top.subcommands.push_back(std::move(sub));
    }
    const std::string heading(global_heading);
    top.args.push_back(args::Arg{.id = "architecture",
                                 .short_name = 'a',
                                 .long_name = "architecture",
                                 .aliases = {"arch", "ide"},
                                 .value_name = "ARCH",
                                 .help = "Specify the toolchain or IDE architecture",
                                 .heading = heading,
                                 .global = true,
                                 .possible_values = architecture_values()});
    top.args.push_back(args::Arg{.id = "platform",
                                 .short_name = 'p',
                                 .long_name = "platform",
                                 .value_name = "PLATFORM",
                                 .help = "Specify the target platform",
                                 .heading = heading,
                                 .global = true,
                                 .possible_values = platform_values()});
    top.args.push_back(args::Arg{.id = "json",
                                 .long_name = "json",
                                 .help = "Output JSON format data",
                                 .heading = heading,
                                 .action = args::Action::SetTrue,
                                 .global = true});
    top.args.push_back(args::Arg{.id = "no_splash",
                                 .long_name = "no-splash",
                                 .aliases = {"nosplash", "no-logo", "nologo", "ns"},
                                 .help = "No splash screen or no logo",
                                 .heading = heading,
                                 .action = args::Action::SetTrue,
                                 .global = true});
    top.version = std::string(program_version);
    top.about = std::string(program_name);
    top.help_when_empty = true;
    return top;
}

bool is_env_subcommand(std::string_view name) { return name == "set" || name == "remove"; }

bool is_path_subcommand(std::string_view name) { return name == "add" || name == "insert" || name == "remove"; }

ReadResult<GlobalOptions> read_global_options(const args::Matches& matches) {
    GlobalOptions options;
    if (const auto choice = matches.choice("architecture")) options.architecture = static_cast<catalogue::Architecture>(*choice);
    if (const auto choice = matches.choice("platform")) options.platform = static_cast<catalogue::Platform>(*choice);
    auto json = read_flag(matches, "json");
    if (!json) return std::unexpected(json.error());
    options.json = *json;
    auto no_splash = read_flag(matches, "no_splash");
    if (!no_splash) return std::unexpected(no_splash.error());
    options.no_splash = *no_splash;
    return options;
}

}  // namespace kestrune::cli
