#include "main/package_command.hpp"

#include "main/dcc_command.hpp"

namespace kestrune::cli {
namespace {

args::Arg bpl_path_arg(std::string help) {
    return args::Arg{
        .id = "bpl_path", .value_name = "BPL_PATH", .help = std::move(help), .kind = args::ValueKind::Path, .required = true};
}

}  // namespace

void define_package_subcommands(args::Command& command) {
    args::Command compile{.name = "compile", .about = "Compile a design-time package and optionally install it"};
    compile.args.push_back(args::Arg{.id = "install",
                                     .long_name = "install",
                                     .help = "Specify weather to install the package into the IDE",
                                     .action = args::Action::SetTrue});
    define_dcc_options(compile);
    command.subcommands.push_back(std::move(compile));

    command.subcommands.push_back(args::Command{
        .name = "register",
        .about = "Register a design-time package",
        .args = {bpl_path_arg("Specify the full path of the bpl file to register"),
                 args::Arg{.id = "description",
                           .value_name = "DESCRIPTION",
                           .help = "Specify the description that appears in the registry",
                           .required = true}},
    });
    command.subcommands.push_back(args::Command{
        .name = "unregister",
        .about = "Unregister a design-time package",
        .args = {bpl_path_arg("Specify the full path of the bpl file to unregister")},
    });
}

ReadResult<PackageCommands> read_package_command(const args::Matches& matches) {
    auto sub = read_subcommand(matches);
    if (!sub) return std::unexpected(sub.error());
    const auto& [name, m] = **sub;
    if (name == "compile") {
        auto install = read_flag(m, "install");
        if (!install) return std::unexpected(install.error());
        auto options = read_dcc_options(m);
        if (!options) return std::unexpected(options.error());
        return PackageCompile{*install, std::move(*options)};
    }
    if (name == "register") {
        auto path = read_path(m, "bpl_path");
        if (!path) return std::unexpected(path.error());
        auto description = read_text(m, "description");
        if (!description) return std::unexpected(description.error());
        return PackageRegister{std::move(*path), std::move(*description)};
    }
    if (name == "unregister") {
        auto path = read_path(m, "bpl_path");
        if (!path) return std::unexpected(path.error());
        return PackageUnregister{std::move(*path)};
    }
    return std::unexpected(unknown_subcommand(name));
}

}  // namespace kestrune::cli
