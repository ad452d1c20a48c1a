#include "main/command_syntax.hpp"

#include <any>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "catalogue/find_installation.hpp"
#include "main/brcc_arguments.hpp"
#include "main/build_arguments.hpp"
#include "main/dcc_options.hpp"
#include "main/env_subcommands.hpp"
#include "main/option_table.hpp"
#include "main/package_subcommands.hpp"
#include "main/path_subcommands.hpp"
#include "main/possible_values.hpp"
#include "main/program_name.hpp"
#include "main/select_arguments.hpp"
#include "main/self_subcommands.hpp"
#include "win/utf.hpp"

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

// The row of the subcommand whose alternative is Payload: Read gives the payload's value from
// the subcommand's parse result (nullptr for a payload without one).
template <class Payload, auto Read>
constexpr Subcommand row(const Declaration& declaration) {
    return {declaration, alternative_of<Payload>, read_row<Payload, Read>};
}

constexpr std::string_view bds_long_about =
    "Build project with bds.exe\n\n"
    "This command uses exactly the same command-line options as the `build` command, which uses MSBuild.";

constexpr std::array<std::string_view, 1> build_aliases{"msbuild"};
constexpr std::array<std::string_view, 1> brcc_aliases{"brcc32"};
constexpr std::array<std::string_view, 2> env_path_aliases{"envpath", "path"};
constexpr std::array<std::string_view, 3> library_path_aliases{"librarypath", "lib-path", "libpath"};
constexpr std::array<std::string_view, 1> browsing_path_aliases{"browsingpath"};

constexpr auto subcommand_table = std::to_array<Subcommand>({
    row<commands::Build, read_build_options>(
        {.name = "build", .aliases = build_aliases, .about = "Build project with MSBuild", .define = define_build_options}),
    row<commands::Bds, read_build_options>(
        {.name = "bds", .about = "Build project with bds.exe", .long_about = bds_long_about, .define = define_build_options}),
    row<commands::Dcc, read_dcc_options>({.name = "dcc", .about = "Delphi command-line compiler", .define = define_dcc_options}),
    row<commands::Dcc32, read_dcc_options>(
        {.name = "dcc32", .about = "Delphi command-line compiler for Win32", .define = define_dcc_options}),
    row<commands::Dcc64, read_dcc_options>(
        {.name = "dcc64", .about = "Delphi command-line compiler for Win64", .define = define_dcc_options}),
    row<commands::Dccarm64ec, read_dcc_options>(
        {.name = "dccarm64ec", .about = "Delphi command-line compiler for WinARM64EC", .define = define_dcc_options}),
    row<commands::Package, read_package_command>({.name = "package",
                                                  .about = "Manage design-time packages",
                                                  .define = define_package_subcommands,
                                                  .inner_required = true}),
    row<commands::Brcc, read_brcc_options>(
        {.name = "brcc", .aliases = brcc_aliases, .about = "Resource compiler (brcc32.exe)", .define = define_brcc_options}),
    row<commands::Env, read_env_command>(
        {.name = "env", .about = "Manage IDE environment variables", .define = define_env_subcommands}),
    row<commands::EnvPath, read_path_command>({.name = "env-path",
                                               .aliases = env_path_aliases,
                                               .about = "Manage IDE environment variable PATH",
                                               .define = define_path_subcommands}),
    row<commands::LibraryPath, read_path_command>({.name = "library-path",
                                                   .aliases = library_path_aliases,
                                                   .about = "Manage IDE library path",
                                                   .define = define_path_subcommands}),
    row<commands::BrowsingPath, read_path_command>({.name = "browsing-path",
                                                    .aliases = browsing_path_aliases,
                                                    .about = "Manage IDE browsing path",
                                                    .define = define_path_subcommands}),
    row<commands::Select, read_select_options>(
        {.name = "select", .about = "Select IDE interactively", .define = define_select_options}),
    row<commands::Info, nullptr>({.name = "info", .about = "Print installed RAD Studio product information"}),
    row<commands::Self_, read_self_command>(
        {.name = "self", .about = "Manage this tool itself", .define = define_self_subcommands, .inner_required = true}),
});

// Row i reads alternative i, so the variant's index finds the row again.
constexpr bool rows_follow_commands() {
    for (std::size_t i = 0; i < subcommand_table.size(); ++i)
        if (subcommand_table[i].alternative != i) return false;
    return subcommand_table.size() == std::variant_size_v<Commands>;
}
static_assert(rows_follow_commands(), "one row per Commands alternative, in its order");

}  // namespace

std::span<const Subcommand> subcommands() { return subcommand_table; }

const Subcommand& subcommand_of(const Commands& command) { return subcommand_table[command.index()]; }

args::Command command_line(args::ValueParser parse_name) {
    args::Command top{.name = std::string(program_name)};
    top.args.push_back(args::Arg{.id = std::string(name_id),
                                 .value_name = "NAME",
                                 .help = std::string(name_help),
                                 .long_help = std::string(name_long_help),
                                 .value_parser = std::move(parse_name)});
    declare_subcommands(top, subcommand_table);
    declare_options(top, global_options());
    top.version = std::string(program_version);
    top.about = std::string(program_name);
    top.help_when_empty = true;
    return top;
}

std::expected<std::any, std::string> match_installation_name(const std::vector<catalogue::Installation>& installations,
                                                             const std::wstring& raw) {
    if (const auto* match = catalogue::find_installation(installations, win::to_utf8(raw))) return std::any(match);
    return std::unexpected(std::string("no installed RAD Studio matched"));
}

const catalogue::Installation* read_name(const args::Matches& matches) {
    if (const std::any* name = matches.parsed(name_id); name && name->has_value())
        return std::any_cast<const catalogue::Installation*>(*name);
    return nullptr;
}

ReadResult<GlobalOptions> read_global_options(const args::Matches& matches) {
    return read_table<GlobalOptions, global_options>(matches);
}

ReadResult<App> read_app(const args::Matches& matches) {
    App app;
    app.name = read_name(matches);

    if (const auto* sub = matches.subcommand()) {
        const Subcommand* subcommand = find_subcommand(subcommands(), sub->name);
        if (!subcommand) return std::unexpected(unknown_subcommand(sub->name));
        auto command = subcommand->read(sub->matches);
        if (!command) return std::unexpected(command.error());
        app.command = std::move(*command);
    }

    auto global_options = read_global_options(matches);
    if (!global_options) return std::unexpected(global_options.error());
    app.global_options = *global_options;
    return app;
}

}  // namespace kestrune::cli
