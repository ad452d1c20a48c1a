#include "main/dcc_command.hpp"

#include <variant>

#include "backends/compiler.hpp"
#include "catalogue/paths.hpp"
#include "main/installations.hpp"
#include "main/tool_status.hpp"
#include "output/sink.hpp"

namespace kestrune::cli {
namespace {

// Each kind of option adds its own settings to the names and help the table gives every option.
void declare(const backends::DccPath&, args::Arg& arg) {
    arg.kind = args::ValueKind::Path;
    arg.required = true;
}
void declare(const backends::DccFlag&, args::Arg& arg) { arg.action = args::Action::SetTrue; }
void declare(const backends::DccText& kind, args::Arg& arg) { arg.default_value = std::string(kind.default_value); }
void declare(const backends::DccList&, args::Arg& arg) { arg.action = args::Action::Append; }
void declare(const backends::DccOptionalText&, args::Arg&) {}
void declare(const backends::DccTrailing&, args::Arg& arg) {
    arg.action = args::Action::Append;
    arg.trailing = true;
}

// The value each kind of option reads back, of its field's type.
ReadResult<std::wstring> value_of(const backends::DccPath&, const args::Matches& matches, std::string_view id) {
    return read_path(matches, id);
}
ReadResult<bool> value_of(const backends::DccFlag&, const args::Matches& matches, std::string_view id) {
    return read_flag(matches, id);
}
ReadResult<std::string> value_of(const backends::DccText&, const args::Matches& matches, std::string_view id) {
    return read_text(matches, id);
}
ReadResult<std::optional<std::string>> value_of(const backends::DccOptionalText&, const args::Matches& matches,
                                                std::string_view id) {
    return read_optional_text(matches, id);
}
// Repeated and trailing values alike: every one given, in command-line order.
ReadResult<std::vector<std::string>> value_of(const backends::DccList&, const args::Matches& matches, std::string_view id) {
    return matches.texts(id);
}
ReadResult<std::vector<std::string>> value_of(const backends::DccTrailing&, const args::Matches& matches,
                                              std::string_view id) {
    return matches.texts(id);
}

}  // namespace

void define_dcc_options(args::Command& command) {
    for (const backends::DccOption& option : backends::dcc_option_table) {
        args::Arg arg{.id = std::string(option.id),
                      .short_name = option.short_name,
                      .long_name = std::string(option.long_name),
                      .value_name = std::string(option.value_name),
                      .help = std::string(option.help)};
        std::visit([&](const auto& kind) { declare(kind, arg); }, option.field);
        command.args.push_back(std::move(arg));
    }
}

ReadResult<backends::DccOptions> read_dcc_options(const args::Matches& matches) {
    backends::DccOptions options;
    for (const backends::DccOption& option : backends::dcc_option_table) {
        auto done = std::visit(
            [&](const auto& kind) -> ReadResult<void> {
                auto value = value_of(kind, matches, option.id);
                if (!value) return std::unexpected(std::move(value.error()));
                options.*kind.field = std::move(*value);
                return {};
            },
            option.field);
        if (!done) return std::unexpected(std::move(done.error()));
    }
    return options;
}

std::expected<DWORD, CommandError> run_dcc_command(App& app) {
    // Checked before the installation is fixed, so this reads no registry.
    const auto platform = app.global_options.platform;
    if (!platform) return std::unexpected(CommandError{"the platform must be specified", {}});
    return run_compile(app, catalogue::info(*platform).compiler, std::get<commands::Dcc>(*app.command).options);
}

std::expected<DWORD, CommandError> run_compile(App& app, catalogue::Tool tool, const backends::DccOptions& options) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto compiler = catalogue::compiler_path(installation, tool, app.global_options.architecture);
    if (!compiler) return std::unexpected(CommandError{catalogue::tool_file_name(tool) + " not found", {}});
    if (auto refusal = backends::double_quote_refusal(options, catalogue::tool_file_name(tool)))
        return std::unexpected(CommandError{std::move(*refusal), {}});
    flush();  // our output before the compiler's on the shared console
    auto code = backends::run_dcc(*compiler, options);
    if (!code) return std::unexpected(command_error(code.error()));
    return tool_status(catalogue::tool_file_name(tool), *code);
}

}  // namespace kestrune::cli
