// The IDE back-end: bds.exe builds the project, or a patched copy of it, and its log is echoed.
#pragma once

#include <optional>
#include <string>

#include "backends/build_log.hpp"
#include "backends/builder.hpp"
#include "win/process.hpp"

namespace kestrune::backends {

// bds.exe in build mode on the project, writing its log to `log`; "-ns" last when asked for.
win::ChildCommand bds_command(const std::string& bds_exe, const std::wstring& project, const std::wstring& log,
                              bool no_splash);

class BdsBuilder final : public Builder {
public:
    // bds_exe: the IDE executable of the chosen architecture; output: where the starting line
    // and the echoed log go.
    BdsBuilder(std::string bds_exe, Output output) : bds_exe_(std::move(bds_exe)), output_(std::move(output)) {}

    BuildResult build(std::optional<catalogue::Platform> platform, const BuildOptions& options) override;

private:
    std::string bds_exe_;
    Output output_;
};

}  // namespace kestrune::backends
