// The MSBuild back-end: cmd.exe runs the installation's rsvars script and then MSBuild.exe.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "backends/builder.hpp"
#include "win/process.hpp"

namespace kestrune::backends {

// MSBuild's arguments as MSBuild receives them: the quoted project, the target, the
// properties, then /nologo.
std::vector<std::wstring> msbuild_arguments(std::optional<catalogue::Platform> platform, const BuildOptions& options);

// cmd.exe with /C and one verbatim text that calls the rsvars script and then MSBuild.exe;
// the characters cmd.exe would take as operators outside quotes are escaped.
win::ChildCommand msbuild_command(const std::string& rsvars, std::optional<catalogue::Platform> platform,
                                  const BuildOptions& options);

class MSBuildBuilder final : public Builder {
public:
    // rsvars: the toolchain script whose environment makes MSBuild.exe startable by name.
    explicit MSBuildBuilder(std::string rsvars) : rsvars_(std::move(rsvars)) {}

    BuildResult build(std::optional<catalogue::Platform> platform, const BuildOptions& options) override;

private:
    std::string rsvars_;
};

}  // namespace kestrune::backends
