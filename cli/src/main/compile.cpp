#include "main/compile.hpp"

#include "backends/compiler.hpp"
#include "main/run_tool.hpp"
#include "main/target.hpp"

namespace kestrune::cli {

std::expected<std::uint32_t, CommandError> run_compile(const catalogue::Installation& installation,
                                               std::optional<catalogue::Architecture> architecture, catalogue::Tool tool,
                                               const backends::DccOptions& options, Output& out) {
    const std::string file = catalogue::tool_file_name(tool);
    return run_tool(out, file, locate_tool(installation, tool, architecture), backends::double_quote_refusal(options, file),
                    [&](const std::string& compiler) { return backends::run_dcc(compiler, options); });
}

}  // namespace kestrune::cli
