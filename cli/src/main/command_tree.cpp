#include "main/command_tree.hpp"

#include <any>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "main/brcc_command.hpp"
#include "main/build_command.hpp"
#include "main/dcc_command.hpp"
#include "main/dcc_options.hpp"
#include "main/env_command.hpp"
#include "main/info_command.hpp"
#include "main/installations.hpp"
#include "main/option_table.hpp"
#include "main/package_command.hpp"
#include "main/path_commands.hpp"
#include "main/possible_values.hpp"
#include "main/program_name.hpp"
#include "main/select_command.hpp"
#include "main/self_command.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view program_version = KESTRUNE_VERSION;  // the build's project version

constexpr std::string_view name_id = "name";
constexpr std::string_view name_help = "Specify the RAD Studio name or version (e.g. 13, XE2, or Florence)";
constexpr std::string_view name_long_help =
    "Specify the RAD Studio name or version (e.g. 13, XE2, or Florence)\n\n"
    "Supported values:\n"
    "- Product name: \"RAD Studio 13\" or \"RAD Studio 13.1\"\n"
    "- Product codename: Florence, Rio, Berlin\n"
    "- Product version: 13, 12, XE2, XE8\n\n"
    "If omitted, the latest installed version is used.";

constexpr std::string_view global_heading = "Global Options";

const OptionTable<GlobalOptions>& global_options() {
    static const OptionTable<GlobalOptions> table{
        {args::Arg{.id = "architecture",
                   .short_name = 'a',
                   .long_name = "architecture",
                   .aliases = {"arch", "ide"},
                   .value_name = "ARCH",
                   .help = "Specify the toolchain or IDE architecture",
                   .heading = std::string(global_heading),
                   .global = true,
                   .possible_values = architecture_values()},
         into<&GlobalOptions::architecture>},
        {args::Arg{.id = "platform",
                   .short_name = 'p',
                   .long_name = "platform",
                   .value_name = "PLATFORM",
                   .help = "Specify the target platform",
                   .heading = std::string(global_heading),
                   .global = true,
                   .possible_values = platform_values()},
         into<&GlobalOptions::platform>},
        {args::Arg{.id = "json",
                   .long_name = "json",
                   .help = "Output JSON format data",
                   .heading = std::string(global_heading),
                   .action = args::Action::SetTrue,
                   .global = true},
         into<&GlobalOptions::json>},
        {args::Arg{.id = "no_splash",
                   .long_name = "no-splash",
                   .aliases = {"nosplash", "no-logo", "nologo", "ns"},
                   .help = "No splash screen or no logo",
                   .heading = std::string(global_heading),
                   .action = args::Action::SetTrue,
                   .global = true},
         into<&GlobalOptions::no_splash>},
    };
    return table;
}

template <class T, class Variant>
struct alternative_index;
template <class T, class... Ts>
struct alternative_index<T, std::variant<Ts...>> {
    static constexpr std::size_t value = [] {
        std::size_t i = 0;
        (void)((std::is_same_v<T, Ts> ? false : (++i, true)) && ...);
        return i;
    }();
};

// Every payload holds one value (its only field) or none: the reader gives that value.
template <class Payload, auto Read>
ReadResult<Commands> read_row(const args::Matches& matches) {
    if constexpr (std::is_empty_v<Payload>) {
        return Payload{};
    } else {
        auto value = Read(matches);
        if (!value) return std::unexpected(std::move(value.error()));
        return Payload{std::move(*value)};
    }
}

// Calls the handler with the payload's value, when it has one, then App when the handler
// takes it, then the output.
template <auto Run, class... Value>
auto call(App& app, Output& out, const Value&... value) {
    if constexpr (std::is_invocable_v<decltype(Run), const Value&..., App&, Output&>)
        return Run(value..., app, out);
    else
        return Run(value..., out);
}

template <class Payload, auto Run>
HandlerResult run_row(App& app, Output& out) {
    auto outcome = [&] {
        if constexpr (std::is_empty_v<Payload>) {
            return call<Run>(app, out);
        } else {
            const auto& [value] = std::get<Payload>(*app.command);
            return call<Run>(app, out, value);
        }
    }();
    if constexpr (std::is_same_v<decltype(outcome), HandlerResult>)
        return outcome;
    else
        return without_tool(std::move(outcome));
}

// The row of the subcommand whose alternative is Payload: Read gives the payload's value from
// the subcommand's parse result (nullptr for a payload without one) and Run handles it.
template <class Payload, auto Read, auto Run>
constexpr Subcommand row(const Declaration& declaration) {
    return {declaration, alternative_index<Payload, Commands>::value, read_row<Payload, Read>, run_row<Payload, Run>};
}

constexpr std::string_view bds_long_about =
    "Build project with bds.exe\n\n"
    "This command uses exactly the same command-line options as the `build` command, which uses MSBuild.";

constexpr std::array<std::string_view, 1> build_aliases{"msbuild"};
constexpr std::array<std::string_view, 1> brcc_aliases{"brcc32"};
constexpr std::array<std::string_view, 2> env_path_aliases{"envpath", "path"};
constexpr std::array<std::string_view, 3> library_path_aliases{"librarypath", "lib-path", "libpath"};
constexpr std::array<std::string_view, 1> browsing_path_aliases{"browsingpath"};

using catalogue::Tool;

constexpr auto subcommand_table = std::to_array<Subcommand>({
    row<commands::Build, read_build_options, run_msbuild_build>(
        {.name = "build", .aliases = build_aliases, .about = "Build project with MSBuild", .define = define_build_options}),
    row<commands::Bds, read_build_options, run_bds_build>({.name = "bds",
                                                           .about = "Build project with bds.exe",
                                                           .long_about = bds_long_about,
                                                           .define = define_build_options}),
    row<commands::Dcc, read_dcc_options, run_dcc_command>(
        {.name = "dcc", .about = "Delphi command-line compiler", .define = define_dcc_options}),
    row<commands::Dcc32, read_dcc_options, run_fixed_compiler<Tool::DCC32>>(
        {.name = "dcc32", .about = "Delphi command-line compiler for Win32", .define = define_dcc_options}),
    row<commands::Dcc64, read_dcc_options, run_fixed_compiler<Tool::DCC64>>(
        {.name = "dcc64", .about = "Delphi command-line compiler for Win64", .define = define_dcc_options}),
    row<commands::Dccarm64ec, read_dcc_options, run_fixed_compiler<Tool::DCCARM64EC>>(
        {.name = "dccarm64ec", .about = "Delphi command-line compiler for WinARM64EC", .define = define_dcc_options}),
    row<commands::Package, read_package_command, run_package_command>({.name = "package",
                                                                        .about = "Manage design-time packages",
                                                                        .define = define_package_subcommands,
                                                                        .inner_required = true}),
    row<commands::Brcc, read_brcc_options, run_brcc_command>(
        {.name = "brcc", .aliases = brcc_aliases, .about = "Resource compiler (brcc32.exe)", .define = define_brcc_options}),
    row<commands::Env, read_env_command, run_env_command>(
        {.name = "env", .about = "Manage IDE environment variables", .define = define_env_subcommands}),
    row<commands::EnvPath, read_path_command, run_env_path_command>({.name = "env-path",
                                                                     .aliases = env_path_aliases,
                                                                     .about = "Manage IDE environment variable PATH",
                                                                     .define = define_path_subcommands}),
    row<commands::LibraryPath, read_path_command, run_library_path_command>({.name = "library-path",
                                                                             .aliases = library_path_aliases,
                                                                             .about = "Manage IDE library path",
                                                                             .define = define_path_subcommands}),
    row<commands::BrowsingPath, read_path_command, run_browsing_path_command>({.name = "browsing-path",
                                                                               .aliases = browsing_path_aliases,
                                                                               .about = "Manage IDE browsing path",
                                                                               .define = define_path_subcommands}),
    row<commands::Select, read_select_options, run_select_command>(
        {.name = "select", .about = "Select IDE interactively", .define = define_select_options}),
    row<commands::Info, nullptr, run_info_command>(
        {.name = "info", .about = "Print installed RAD Studio product information"}),
    row<commands::Self_, read_self_command, run_self>(
        {.name = "self", .about = "Manage this tool itself", .define = define_self_subcommands, .inner_required = true}),
});

// Row i reads and runs alternative i, so the variant's index finds the row again.
constexpr bool rows_follow_commands() {
    for (std::size_t i = 0; i < subcommand_table.size(); ++i)
        if (subcommand_table[i].alternative != i) return false;
    return subcommand_table.size() == std::variant_size_v<Commands>;
}
static_assert(rows_follow_commands(), "one row per Commands alternative, in its order");

}  // namespace

HandlerResult without_tool(std::expected<void, CommandError> done) {
    if (!done) return std::unexpected(std::move(done.error()));
    return 0;
}

std::span<const Subcommand> subcommands() { return subcommand_table; }

const Subcommand& subcommand_of(const Commands& command) { return subcommand_table[command.index()]; }

HandlerResult run_command(App& app, Output& out) {
    if (app.command) return subcommand_of(*app.command).run(app, out);
    return without_tool(run_without_subcommand(app, out));
}

args::Command define_command_line() {
    args::Command top{.name = std::string(program_name)};
    top.args.push_back(args::Arg{.id = std::string(name_id),
                                 .value_name = "NAME",
                                 .help = std::string(name_help),
                                 .long_help = std::string(name_long_help),
                                 .value_parser = parse_installation_name});
    declare_subcommands(top, subcommand_table);
    declare_options(top, global_options());
    top.version = std::string(program_version);
    top.about = std::string(program_name);
    top.help_when_empty = true;
    return top;
}

const catalogue::Installation* read_name(const args::Matches& matches) {
    if (const std::any* name = matches.parsed(name_id); name && name->has_value())
        return std::any_cast<const catalogue::Installation*>(*name);
    return nullptr;
}

ReadResult<GlobalOptions> read_global_options(const args::Matches& matches) {
    return read_table<GlobalOptions, global_options>(matches);
}

}  // namespace kestrune::cli
