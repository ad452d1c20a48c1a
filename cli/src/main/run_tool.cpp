#include "main/run_tool.hpp"

#include "win/registry_error.hpp"

namespace kestrune::cli {

std::string tool_failure_line(std::string_view tool, std::uint32_t status) {
    std::string line = "Error: " + std::string(tool) + " failed with exit status " + std::to_string(status);
    if (status >= 0xC0000000) line += " (" + win::hresult_text(static_cast<win::Hresult>(status)) + ")";
    return line + "\n";
}

std::uint32_t tool_status(Output& out, std::string_view tool, std::uint32_t status) {
    if (status != 0) {
        out.flush();  // the tool's output and ours before the line, in the order they came
        out.eprint(tool_failure_line(tool, status));
    }
    return status;
}

}  // namespace kestrune::cli
