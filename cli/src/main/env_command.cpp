#include "main/env_command.hpp"

namespace kestrune::cli {

void define_env_subcommands(args::Command& command) {
    auto name_arg = [](std::string value_name, std::string id, std::string help) {
        return args::Arg{.id = std::move(id), .value_name = std::move(value_name), .help = std::move(help), .required = true};
    };
    command.subcommands.push_back(args::Command{
        .name = "set",
        .aliases = {"add"},
        .about = "Set IDE environment variable",
        .args = {name_arg("NAME", "name", "Specify environment variable name"),
                 name_arg("VALUE", "value", "Specify environment variable value")},
    });
    command.subcommands.push_back(args::Command{
        .name = "remove",
        .aliases = {"rm", "delete", "del"},
        .about = "Remove IDE environment variable",
        .args = {name_arg("NAME", "name", "Specify environment variable name")},
    });
}

ReadResult<EnvCommands> read_env_command(const args::Matches::Subcommand& sub) {
    if (sub.name == "set") {
        auto name = read_text(sub.matches, "name");
        if (!name) return std::unexpected(name.error());
        auto value = read_text(sub.matches, "value");
        if (!value) return std::unexpected(value.error());
        return EnvSet{std::move(*name), std::move(*value)};
    }
    if (sub.name == "remove") {
        auto name = read_text(sub.matches, "name");
        if (!name) return std::unexpected(name.error());
        return EnvRemove{std::move(*name)};
    }
    return std::unexpected(unknown_subcommand(sub.name));
}

}  // namespace kestrune::cli
