#include "main/brcc_command.hpp"

#include <string>

#include "backends/compiler.hpp"
#include "main/run_tool.hpp"
#include "main/target.hpp"

namespace kestrune::cli {

std::expected<std::uint32_t, CommandError> run_brcc_command(const backends::BrccOptions& options, App& app, Output& out) {
    const catalogue::Installation& installation = resolve_installation(app);
    const std::string tool = catalogue::tool_file_name(catalogue::Tool::BRCC32);
    return run_tool(out, tool, locate_tool(installation, catalogue::Tool::BRCC32, app.global_options.architecture),
                    backends::double_quote_refusal(options, tool),
                    [&](const std::string& brcc32) { return backends::run_brcc(brcc32, options); });
}

}  // namespace kestrune::cli
