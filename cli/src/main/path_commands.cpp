#include "main/path_commands.hpp"

namespace kestrune::cli {

void define_path_subcommands(args::Command& command) {
    auto item = [] { return args::Arg{.id = "item", .value_name = "ITEM", .kind = args::ValueKind::OsText, .required = true}; };
    command.subcommands.push_back(args::Command{
        .name = "add",
        .aliases = {"push", "append"},
        .about = "Append a item to the end of paths (skipped if already present)",
        .args = {item()},
    });
    command.subcommands.push_back(args::Command{
        .name = "insert",
        .about = "Prepend a item to the front of paths",
        .args = {item()},
    });
    command.subcommands.push_back(args::Command{
        .name = "remove",
        .aliases = {"rm", "delete", "del"},
        .about = "Remove item from paths",
        .args = {item()},
    });
}

ReadResult<PathCommands> read_path_command(const args::Matches::Subcommand& sub) {
    PathCommands::Kind kind{};
    if (sub.name == "add")
        kind = PathCommands::Kind::Add;
    else if (sub.name == "insert")
        kind = PathCommands::Kind::Insert;
    else if (sub.name == "remove")
        kind = PathCommands::Kind::Remove;
    else
        return std::unexpected(unknown_subcommand(sub.name));
    auto item = sub.matches.os_text("item");
    if (!item) return std::unexpected(missing_argument("item"));
    return PathCommands{kind, std::move(*item)};
}

}  // namespace kestrune::cli
