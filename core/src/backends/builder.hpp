// The interface of a build back-end: MSBuild through the rsvars script, or the IDE's bds.exe.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "backends/build_options.hpp"
#include "backends/project_error.hpp"
#include "catalogue/enums.hpp"

namespace kestrune::backends {

// The build tool's exit code, whatever its value (all 32 bits of the system's DWORD), or what
// kept the build from running.
using BuildResult = std::expected<std::uint32_t, ProjectError>;

// A back-end that builds one project for one command.
class Builder {
public:
    virtual ~Builder() = default;
    // Builds the project for the platform (none: the project's default) with the options.
    virtual BuildResult build(std::optional<catalogue::Platform> platform, const BuildOptions& options) = 0;
};

}  // namespace kestrune::backends
