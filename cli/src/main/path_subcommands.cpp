#include "main/path_subcommands.hpp"

#include <array>

#include "main/option_table.hpp"
#include "main/subcommand_table.hpp"

namespace kestrune::cli {
namespace {

const OptionTable<PathCommands>& item_option() {
    static const OptionTable<PathCommands> table{
        {args::Arg{.id = "item", .value_name = "ITEM", .kind = args::ValueKind::OsText, .required = true},
         into<&PathCommands::item>},
    };
    return table;
}

template <PathCommands::Kind Kind>
ReadResult<PathCommands> read_edit(const args::Matches& matches) {
    auto command = read_table<PathCommands, item_option>(matches);
    if (command) command->kind = Kind;
    return command;
}

constexpr std::array<std::string_view, 2> add_aliases{"push", "append"};
constexpr std::array<std::string_view, 3> remove_aliases{"rm", "delete", "del"};

constexpr auto path_subcommands = std::to_array<InnerSubcommand<PathCommands>>({
    {{.name = "add",
      .aliases = add_aliases,
      .about = "Append a item to the end of paths (skipped if already present)",
      .define = declare_table<item_option>},
     read_edit<PathCommands::Kind::Add>},
    {{.name = "insert", .about = "Prepend a item to the front of paths", .define = declare_table<item_option>},
     read_edit<PathCommands::Kind::Insert>},
    {{.name = "remove", .aliases = remove_aliases, .about = "Remove item from paths", .define = declare_table<item_option>},
     read_edit<PathCommands::Kind::Remove>},
});

}  // namespace

void define_path_subcommands(args::Command& command) { declare_subcommands(command, path_subcommands); }

bool is_path_subcommand(std::string_view name) { return find_subcommand(path_subcommands, name) != nullptr; }

ReadResult<std::optional<PathCommands>> read_path_command(const args::Matches& matches) {
    return read_optional_inner(path_subcommands, matches);
}

}  // namespace kestrune::cli
