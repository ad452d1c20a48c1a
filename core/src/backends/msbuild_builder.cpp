#include "backends/msbuild_builder.hpp"

namespace kestrune::backends {

BuildResult MSBuildBuilder::build(std::optional<catalogue::Platform> platform, const BuildOptions& options) {
    auto code = win::run_child(msbuild_command(rsvars_, platform, options));
    if (!code) return std::unexpected(ProjectError::io(std::move(code.error())));
    return *code;
}

}  // namespace kestrune::backends
