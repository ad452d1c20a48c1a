#include "main/brcc_command.hpp"

#include "backends/compiler.hpp"
#include "catalogue/paths.hpp"
#include "main/installations.hpp"
#include "main/tool_status.hpp"
#include "output/sink.hpp"

namespace kestrune::cli {

void define_brcc_options(args::Command& command) {
    command.args.push_back(args::Arg{.id = "input_rc",
                                     .value_name = "INPUT_RC",
                                     .help = "Specify a resource script file (.rc) to be compiled",
                                     .kind = args::ValueKind::Path,
                                     .required = true});
    command.args.push_back(args::Arg{.id = "output_res",
                                     .value_name = "OUTPUT_RES",
                                     .help = "Specify the output resource .res file",
                                     .long_help = "Specify the output resource .res file\n\n"
                                                  "If omitted, creates the output .RES file with the same name as the input .rc file",
                                     .kind = args::ValueKind::Path});
}

ReadResult<backends::BrccOptions> read_brcc_options(const args::Matches& matches) {
    auto input = read_path(matches, "input_rc");
    if (!input) return std::unexpected(input.error());
    return backends::BrccOptions{std::move(*input), matches.os_text("output_res")};
}

std::expected<DWORD, CommandError> run_brcc_command(App& app, const backends::BrccOptions& options) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto brcc32 = catalogue::brcc32_path(installation, app.global_options.architecture);
    const std::string tool = catalogue::tool_file_name(catalogue::Tool::BRCC32);
    if (!brcc32) return std::unexpected(CommandError{tool + " not found", {}});
    if (auto refusal = backends::double_quote_refusal(options, tool))
        return std::unexpected(CommandError{std::move(*refusal), {}});
    flush();  // our output before the compiler's on the shared console
    auto code = backends::run_brcc(*brcc32, options);
    if (!code) return std::unexpected(command_error(code.error()));
    return tool_status(tool, *code);
}

}  // namespace kestrune::cli
