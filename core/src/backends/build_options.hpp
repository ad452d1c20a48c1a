// The options of one build, read by both build back-ends.
#pragma once

#include <optional>
#include <string>

#include "backends/version_info.hpp"
#include "catalogue/enums.hpp"

namespace kestrune::backends {

struct BuildOptions {
    std::wstring file;  // as the user wrote it; a relative path stays relative
    std::optional<std::string> config;
    std::optional<catalogue::Architecture> preferred_tool_architecture;
    VersionInfo version_info;
    bool no_splash = false;

    bool operator==(const BuildOptions&) const = default;
};

}  // namespace kestrune::backends
