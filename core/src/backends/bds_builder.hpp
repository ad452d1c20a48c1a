// The IDE back-end: bds.exe builds the project, or a patched copy of it, and its log is echoed.
#pragma once

#include <expected>
#include <optional>
#include <string>

#include "backends/build_log.hpp"
#include "backends/builder.hpp"
#include "win/process.hpp"

namespace kestrune::backends {

// Reads the open log and echoes it as it is read (BuildLogEcho), a line that is not UTF-8 read
// in the system's ANSI code page. Only a read failure ends the echo with an error; what was
// printed stays printed.
std::expected<void, win::IoError> echo_build_log(HANDLE file, const Output& output);

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
