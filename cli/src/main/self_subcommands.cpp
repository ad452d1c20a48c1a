#include "main/self_subcommands.hpp"

#include <array>

#include "main/subcommand_table.hpp"

namespace kestrune::cli {
namespace {

constexpr auto self_subcommands = std::to_array<InnerSubcommand<SelfCommands>>({
    {{.name = "install", .about = "Add this tool to the PATH environment variable"}, read_constant<SelfCommands::Install>},
    {{.name = "uninstall", .about = "Remove this tool from the PATH environment variable"},
     read_constant<SelfCommands::Uninstall>},
});

}  // namespace

void define_self_subcommands(args::Command& command) { declare_subcommands(command, self_subcommands); }

ReadResult<SelfCommands> read_self_command(const args::Matches& matches) {
    return read_inner(self_subcommands, matches);
}

}  // namespace kestrune::cli
