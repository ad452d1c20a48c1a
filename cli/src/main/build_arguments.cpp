#include "main/build_arguments.hpp"

#include <string>

#include "main/option_table.hpp"
#include "main/possible_values.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view version_info_heading = "Include Version Information";

const OptionTable<backends::BuildOptions>& build_options() {
    static const OptionTable<backends::BuildOptions> table{
        {args::Arg{.id = "file", .value_name = "FILE", .help = "Specify project file", .kind = args::ValueKind::Path,
                   .required = true},
         into<&backends::BuildOptions::file>},
        {args::Arg{
             .id = "config",
             .short_name = 'c',
             .long_name = "config",
             .value_name = "CONFIG",
             .help = "Specify the configuration name (e.g., Debug or Release)",
             .long_help = "Specify the configuration name (e.g., Debug or Release).\n\n"
                          "If omitted, the default configuration defined in the project file is used.",
         },
         into<&backends::BuildOptions::config>},
        {args::Arg{
             .id = "preferred_tool_architecture",
             .short_name = 't',
             .long_name = "preferred-tool-architecture",
             .aliases = {"pta", "tool", "tools", "toolarch", "tool-arch"},
             .value_name = "ARCH",
             .help = "Defines whether to use 32-bit or 64-bit command-line tools and compilers",
             .possible_values = architecture_values(),
         },
         into<&backends::BuildOptions::preferred_tool_architecture>},
    };
    return table;
}

void define_version_info_options(args::Command& command) {
    for (const auto& field : backends::version_info_fields) {
        args::Arg arg{
            .id = std::string(field.id),
            .long_name = std::string(field.long_name),
            .value_name = std::string(field.value_name),
            .help = std::string(field.help),
            .heading = std::string(version_info_heading),
        };
        if (!field.long_help_tail.empty()) arg.long_help = arg.help + std::string(field.long_help_tail);
        command.args.push_back(std::move(arg));
    }
}

backends::VersionInfo read_version_info(const args::Matches& matches) {
    backends::VersionInfo info;
    for (const auto& field : backends::version_info_fields) info.*field.member = read_optional_text(matches, field.id);
    return info;
}

}  // namespace

void define_build_options(args::Command& command) {
    declare_options(command, build_options());
    define_version_info_options(command);
}

ReadResult<backends::BuildOptions> read_build_options(const args::Matches& matches) {
    backends::BuildOptions options;
    if (auto done = read_options(matches, build_options(), options); !done) return std::unexpected(std::move(done.error()));
    options.version_info = read_version_info(matches);
    return options;
}

}  // namespace kestrune::cli
