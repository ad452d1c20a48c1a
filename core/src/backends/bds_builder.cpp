#include "backends/bds_builder.hpp"

#include <array>

#include "backends/patcher/project_group.hpp"
#include "win/code_page.hpp"
#include "win/file.hpp"
#include "win/temp_path.hpp"
#include "win/utf.hpp"

namespace kestrune::backends {

std::expected<void, win::IoError> echo_build_log(HANDLE file, const Output& output) {
    BuildLogEcho echo(output, win::ansi_to_utf8);
    std::array<char, 8192> buffer{};
    for (;;) {
        auto read = win::read_some(file, buffer);
        if (!read) return std::unexpected(std::move(read.error()));
        if (*read == 0) break;
        echo.feed(std::string_view(buffer.data(), *read));
    }
    echo.finish();
    return {};
}

win::ChildCommand bds_command(const std::string& bds_exe, const std::wstring& project, const std::wstring& log,
                              bool no_splash) {
    win::ChildCommand command{win::to_wide(bds_exe), {}};
    // bds.exe reads the log path only when it is attached to -o, so it is passed as written.
    command.arg(project).arg(L"-b").verbatim(L"-o\"" + log + L"\"");
    if (no_splash) command.arg(L"-ns");
    return command;
}

namespace {

// The empty log file that bds.exe is told to write, in the system's temporary directory.
std::expected<win::TempFile, win::IoError> create_log() {
    auto dir = win::temp_dir();
    if (!dir) return std::unexpected(std::move(dir.error()));
    return win::create_temp_file(*dir, L".tmp", L"");
}

std::unexpected<ProjectError> failed(win::IoError error) { return std::unexpected(ProjectError::io(std::move(error))); }

}  // namespace

BuildResult BdsBuilder::build(std::optional<catalogue::Platform> platform, const BuildOptions& options) {
    // The patched copies live until this call returns, on every path.
    auto copies = patcher::patch_project({options.file, std::nullopt}, platform, options);
    if (!copies) return std::unexpected(copies.error());
    const std::wstring& project = *copies ? (*copies)->copy.path() : options.file;

    // A failed step is reported in the system's own words, as every other tool's start is.
    auto log_file = create_log();
    if (!log_file) return failed(std::move(log_file.error()));
    win::TempPath log = std::move(log_file->path);
    log_file->handle.reset();

    output_("Starting bds.exe and building...\n");
    auto child = win::start_child(bds_command(bds_exe_, project, log.path(), options.no_splash));
    if (!child) return failed(std::move(child.error()));
    auto exit_code = child->wait();
    if (!exit_code) return failed(std::move(exit_code.error()));

    // Others may still hold the log; the open handle keeps reading it after it is deleted.
    auto reader = win::open_for_reading(log.path());
    log.reset();
    if (!reader) return failed(std::move(reader.error()));

    if (auto echoed = echo_build_log(reader->get(), output_); !echoed) return failed(std::move(echoed.error()));
    return *exit_code;
}

}  // namespace kestrune::backends
