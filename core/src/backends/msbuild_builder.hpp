// The MSBuild back-end: cmd.exe runs the installation's rsvars script and then MSBuild.exe.
#pragma once

#include <optional>
#include <string>

#include "backends/builder.hpp"
#include "backends/msbuild_command.hpp"
#include "win/process.hpp"

namespace kestrune::backends {

class MSBuildBuilder final : public Builder {
public:
    // rsvars: the toolchain script whose environment makes MSBuild.exe startable by name.
    explicit MSBuildBuilder(std::string rsvars) : rsvars_(std::move(rsvars)) {}

    BuildResult build(std::optional<catalogue::Platform> platform, const BuildOptions& options) override;

private:
    std::string rsvars_;
};

}  // namespace kestrune::backends
