#include "main/env_subcommands.hpp"

#include <any>
#include <array>
#include <string>

#include "main/option_table.hpp"
#include "main/subcommand_table.hpp"

namespace kestrune::cli {
namespace {

// The empty name is the key's default value, and "=" ends a name in an environment block: the
// IDE can pass neither on as a variable. Removing such a value stays possible.
std::expected<std::any, std::string> settable_variable_name(const std::wstring& name) {
    if (name.empty()) return std::unexpected("a variable name cannot be empty");
    if (name.find(L'=') != std::wstring::npos) return std::unexpected("a variable name cannot hold '='");
    return std::any{};
}

args::Arg name_arg() {
    return args::Arg{.id = "name", .value_name = "NAME", .help = "Specify environment variable name", .required = true};
}

const OptionTable<EnvSet>& set_options() {
    static const OptionTable<EnvSet> table = [] {
        args::Arg name = name_arg();
        name.value_parser = settable_variable_name;
        return OptionTable<EnvSet>{
            {std::move(name), into<&EnvSet::name>},
            {args::Arg{.id = "value", .value_name = "VALUE", .help = "Specify environment variable value", .required = true},
             into<&EnvSet::value>},
        };
    }();
    return table;
}

const OptionTable<EnvRemove>& remove_options() {
    static const OptionTable<EnvRemove> table{{name_arg(), into<&EnvRemove::name>}};
    return table;
}

constexpr std::array<std::string_view, 1> set_aliases{"add"};
constexpr std::array<std::string_view, 3> remove_aliases{"rm", "delete", "del"};

constexpr auto env_subcommands = std::to_array<InnerSubcommand<EnvCommands>>({
    {{.name = "set", .aliases = set_aliases, .about = "Set IDE environment variable", .define = declare_table<set_options>},
     read_table<EnvCommands, set_options>},
    {{.name = "remove",
      .aliases = remove_aliases,
      .about = "Remove IDE environment variable",
      .define = declare_table<remove_options>},
     read_table<EnvCommands, remove_options>},
});

}  // namespace

void define_env_subcommands(args::Command& command) { declare_subcommands(command, env_subcommands); }

bool is_env_subcommand(std::string_view name) { return find_subcommand(env_subcommands, name) != nullptr; }

ReadResult<std::optional<EnvCommands>> read_env_command(const args::Matches& matches) {
    return read_optional_inner(env_subcommands, matches);
}

}  // namespace kestrune::cli
