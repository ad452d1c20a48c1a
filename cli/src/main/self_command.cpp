#include "main/self_command.hpp"

namespace kestrune::cli {

void define_self_subcommands(args::Command& command) {
    command.subcommands.push_back(args::Command{.name = "install", .about = "Add this tool to the PATH environment variable"});
    command.subcommands.push_back(
        args::Command{.name = "uninstall", .about = "Remove this tool from the PATH environment variable"});
}

ReadResult<SelfCommands> read_self_command(const args::Matches& matches) {
    auto sub = read_subcommand(matches);
    if (!sub) return std::unexpected(sub.error());
    if ((*sub)->name == "install") return SelfCommands::Install;
    if ((*sub)->name == "uninstall") return SelfCommands::Uninstall;
    return std::unexpected(unknown_subcommand((*sub)->name));
}

}  // namespace kestrune::cli
