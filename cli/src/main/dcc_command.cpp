#include "main/dcc_command.hpp"

#include "catalogue/paths.hpp"
#include "main/installations.hpp"
#include "build/compiler.hpp"
#include "output/sink.hpp"

namespace kestrune::cli {
namespace {

using Options = build::DccOptions;

struct Flag {
    std::string_view id;
    char short_name;
    std::string_view long_name;
    std::string_view help;
    bool Options::*field;
};

struct OptionalText {
    std::string_view id;
    std::string_view help;
    std::optional<std::string> Options::*field;
};

// One entry per argument, in declaration order; the order is also the help's.
enum class Kind { File, Flag, Alias, Namespace, Define, OptionalText, Raw };
struct Entry {
    Kind kind;
    std::size_t index = 0;  // into flags or optional_texts
};

constexpr std::array<Flag, 7> flags{{
    {"no_config", 0, "no-config", "Do not load default dcc*.cfg file", &Options::no_config},
    {"no_hints", 0, "no-hints", "Do not output hint messages", &Options::no_hints},
    {"no_warnings", 0, "no-warnings", "Do not output warning messages", &Options::no_warnings},
    {"build", 'b', "build", "Build all units", &Options::build},
    {"quiet", 'q', "quiet", "Quiet compile", &Options::quiet},
    {"cpp", 0, "cpp", "Generate all C++Builder files", &Options::cpp},
    {"cpp_win64x", 0, "cpp-win64x", "Generate COFF-format C++ files", &Options::cpp_win64x},
}};

constexpr std::array<OptionalText, 10> optional_texts{{
    {"unit_search_dirs", "Unit search directories", &Options::unit_search_dirs},
    {"resource_search_dirs", "Resource search directories", &Options::resource_search_dirs},
    {"include_search_dirs", "Include search directories", &Options::include_search_dirs},
    {"output_dir", "EXE/DLL output directory", &Options::output_dir},
    {"unit_output_dir", "Unit .dcu output directory", &Options::unit_output_dir},
    {"package_bpl_output_dir", "Package .bpl output directory", &Options::package_bpl_output_dir},
    {"package_dcp_output_dir", "Package .dcp output directory", &Options::package_dcp_output_dir},
    {"cpp_bpi_output_dir", "C++ .bpi output directory", &Options::cpp_bpi_output_dir},
    {"cpp_hpp_output_dir", "C++ .hpp output directory", &Options::cpp_hpp_output_dir},
    {"cpp_obj_output_dir", "C++ .obj/.lib output directory", &Options::cpp_obj_output_dir},
}};

constexpr std::array<Entry, 22> entries{{
    {Kind::File},          {Kind::Flag, 0},         {Kind::Flag, 1},         {Kind::Flag, 2},
    {Kind::Alias},         {Kind::Namespace},       {Kind::Define},          {Kind::OptionalText, 0},
    {Kind::OptionalText, 1}, {Kind::OptionalText, 2}, {Kind::Flag, 3},        {Kind::Flag, 4},
    {Kind::OptionalText, 3}, {Kind::OptionalText, 4}, {Kind::OptionalText, 5}, {Kind::OptionalText, 6},
    {Kind::Flag, 5},       {Kind::Flag, 6},         {Kind::OptionalText, 7}, {Kind::OptionalText, 8},
    {Kind::OptionalText, 9}, {Kind::Raw},
}};

// "unit_search_dirs" -> "unit-search-dirs", "UNIT_SEARCH_DIRS"
std::string kebab(std::string_view id) {
    std::string out(id);
    for (char& c : out)
        if (c == '_') c = '-';
    return out;
}
std::string upper(std::string_view id) {
    std::string out(id);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

args::Arg text_option(std::string_view id, std::string_view help) {
    return args::Arg{.id = std::string(id), .long_name = kebab(id), .value_name = upper(id), .help = std::string(help)};
}

}  // namespace

void define_dcc_options(args::Command& command) {
    for (const Entry& entry : entries) {
        switch (entry.kind) {
            case Kind::File:
                command.args.push_back(args::Arg{.id = "file",
                                                 .value_name = "FILE",
                                                 .help = "Specify the filename for compiling",
                                                 .kind = args::ValueKind::Path,
                                                 .required = true});
                break;
            case Kind::Flag: {
                const Flag& f = flags[entry.index];
                command.args.push_back(args::Arg{.id = std::string(f.id),
                                                 .short_name = f.short_name,
                                                 .long_name = std::string(f.long_name),
                                                 .help = std::string(f.help),
                                                 .action = args::Action::SetTrue});
                break;
            }
            case Kind::Alias: {
                auto arg = text_option("alias", "Set unit aliases");
                arg.default_value = std::string(default_alias);
                command.args.push_back(std::move(arg));
                break;
            }
            case Kind::Namespace: {
                auto arg = text_option("namespace", "Set namespace search path (Unit scope names)");
                arg.default_value = std::string(default_namespace);
                command.args.push_back(std::move(arg));
                break;
            }
            case Kind::Define: {
                auto arg = text_option("define", "Define conditionals");
                arg.short_name = 'd';
                arg.action = args::Action::Append;
                command.args.push_back(std::move(arg));
                break;
            }
            case Kind::OptionalText: {
                const OptionalText& o = optional_texts[entry.index];
                command.args.push_back(text_option(o.id, o.help));
                break;
            }
            case Kind::Raw:
                command.args.push_back(args::Arg{.id = "raw",
                                                 .value_name = "RAW",
                                                 .help = "Additional options to pass to the compiler",
                                                 .action = args::Action::Append,
                                                 .trailing = true});
                break;
        }
    }
}

ReadResult<build::DccOptions> read_dcc_options(const args::Matches& matches) {
    Options options;
    for (const Entry& entry : entries) {
        switch (entry.kind) {
            case Kind::File: {
                auto file = read_path(matches, "file");
                if (!file) return std::unexpected(file.error());
                options.file = std::move(*file);
                break;
            }
            case Kind::Flag: {
                const Flag& f = flags[entry.index];
                auto value = read_flag(matches, f.id);
                if (!value) return std::unexpected(value.error());
                options.*f.field = *value;
                break;
            }
            case Kind::Alias:
            case Kind::Namespace: {
                const std::string_view id = entry.kind == Kind::Alias ? "alias" : "namespace";
                auto value = read_text(matches, id);
                if (!value) return std::unexpected(value.error());
                (entry.kind == Kind::Alias ? options.alias : options.namespace_) = std::move(*value);
                break;
            }
            case Kind::Define: options.define = matches.texts("define"); break;
            case Kind::OptionalText: {
                const OptionalText& o = optional_texts[entry.index];
                options.*o.field = read_optional_text(matches, o.id);
                break;
            }
            case Kind::Raw: options.raw = matches.texts("raw"); break;
        }
    }
    return options;
}

std::expected<DWORD, CommandError> run_dcc_command(App& app) {
    // Checked before the installation is fixed, so this reads no registry.
    const auto platform = app.global_options.platform;
    if (!platform) return std::unexpected(CommandError{"the platform must be specified", {}});
    return run_compile(app, platform_compiler_table[catalogue::position(*platform)], std::get<commands::Dcc>(*app.command).options);
}

std::expected<DWORD, CommandError> run_compile(App& app, catalogue::Tool tool, const build::DccOptions& options) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto compiler = catalogue::compiler_path(installation, tool, app.global_options.architecture);
    if (!compiler) return std::unexpected(CommandError{catalogue::tool_file_name(tool) + " not found", {}});
    flush();  // our output before the compiler's on the shared console
    auto code = build::run_dcc(*compiler, options);
    if (!code) return std::unexpected(command_error(code.error()));
    return *code;
}

}  // namespace kestrune::cli
