#include "backends/msbuild_escape.hpp"

#include <cstdio>

namespace kestrune::backends {

std::string msbuild_escape(std::string_view text) {
    // A line break is no character of MSBuild's, but cmd.exe on Windows ends a command at it.
    constexpr std::string_view special = "%$@';?*\r\n";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (special.find(c) == std::string_view::npos) {
            escaped += c;
            continue;
        }
        char code[4];
        std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        escaped += code;
    }
    return escaped;
}

}  // namespace kestrune::backends
