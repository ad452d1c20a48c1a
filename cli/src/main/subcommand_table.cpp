#include "main/subcommand_table.hpp"

#include <string>

namespace kestrune::cli {

args::Command declare(const Declaration& declaration) {
    args::Command command{.name = std::string(declaration.name),
                          .aliases = {declaration.aliases.begin(), declaration.aliases.end()},
                          .about = std::string(declaration.about),
                          .long_about = std::string(declaration.long_about),
                          .subcommand_required = declaration.inner_required,
                          .help_when_empty = declaration.inner_required};
    if (declaration.define) declaration.define(command);
    return command;
}

}  // namespace kestrune::cli
