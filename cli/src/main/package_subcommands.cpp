#include "main/package_subcommands.hpp"

#include <array>
#include <string>

#include "main/dcc_options.hpp"
#include "main/option_table.hpp"
#include "main/subcommand_table.hpp"

namespace kestrune::cli {
namespace {

const OptionTable<PackageCompile>& compile_options() {
    static const OptionTable<PackageCompile> table{
        {args::Arg{.id = "install",
                   .long_name = "install",
                   .help = "Specify weather to install the package into the IDE",
                   .action = args::Action::SetTrue,
                   .needs = {dcc_option_id(&backends::DccOptions::package_bpl_output_dir)}},
         into<&PackageCompile::install>},
    };
    return table;
}

args::Arg bpl_path_arg(std::string help) {
    return args::Arg{
        .id = "bpl_path", .value_name = "BPL_PATH", .help = std::move(help), .kind = args::ValueKind::Path, .required = true};
}

const OptionTable<PackageRegister>& register_options() {
    static const OptionTable<PackageRegister> table{
        {bpl_path_arg("Specify the full path of the bpl file to register"), into<&PackageRegister::bpl_path>},
        {args::Arg{.id = "description",
                   .value_name = "DESCRIPTION",
                   .help = "Specify the description that appears in the registry",
                   .required = true},
         into<&PackageRegister::description>},
    };
    return table;
}

const OptionTable<PackageUnregister>& unregister_options() {
    static const OptionTable<PackageUnregister> table{
        {bpl_path_arg("Specify the full path of the bpl file to unregister"), into<&PackageUnregister::bpl_path>},
    };
    return table;
}

// compile takes the compile commands' options after its own.
void define_compile(args::Command& command) {
    declare_options(command, compile_options());
    define_dcc_options(command);
}

ReadResult<PackageCommands> read_compile(const args::Matches& matches) {
    PackageCompile compile;
    if (auto done = read_options(matches, compile_options(), compile); !done) return std::unexpected(std::move(done.error()));
    auto options = read_dcc_options(matches);
    if (!options) return std::unexpected(options.error());
    compile.options = std::move(*options);
    return compile;
}

constexpr auto package_subcommands = std::to_array<InnerSubcommand<PackageCommands>>({
    {{.name = "compile", .about = "Compile a design-time package and optionally install it", .define = define_compile},
     read_compile},
    {{.name = "register", .about = "Register a design-time package", .define = declare_table<register_options>},
     read_table<PackageCommands, register_options>},
    {{.name = "unregister", .about = "Unregister a design-time package", .define = declare_table<unregister_options>},
     read_table<PackageCommands, unregister_options>},
});

}  // namespace

void define_package_subcommands(args::Command& command) { declare_subcommands(command, package_subcommands); }

ReadResult<PackageCommands> read_package_command(const args::Matches& matches) {
    return read_inner(package_subcommands, matches);
}

}  // namespace kestrune::cli
