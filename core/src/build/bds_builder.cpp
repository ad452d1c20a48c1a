#include "build/bds_builder.hpp"

#include "build/patcher/project_group.hpp"
#include "win/handle.hpp"
#include "win/temp_path.hpp"
#include "win/utf.hpp"

namespace kestrune::build {

win::ChildCommand bds_command(const std::string& bds_exe, const std::wstring& project, const std::wstring& log,
                              bool no_splash) {
    win::ChildCommand command{win::to_wide(bds_exe), {}};
    // bds.exe reads the log path only when it is attached to -o, so it is passed as written.
    command.arg(project).arg(L"-b").verbatim(L"-o\"" + log + L"\"");
    if (no_splash) command.arg(L"-ns");
    return command;
}

BuildResult BdsBuilder::build(std::optional<catalogue::Platform> platform, const BuildOptions& options) {
    // The patched copies live until this call returns, on every path.
    auto copies = patcher::patch_project({options.file, std::nullopt}, platform, options);
    if (!copies) return std::unexpected(copies.error());
    const std::wstring& project = *copies ? (**copies)[0].path() : options.file;

    auto dir = win::temp_dir();
    if (!dir) return std::unexpected(ProjectError::io(dir.error()));
    auto log_file = win::create_temp_file(*dir, L".tmp", L"");
    if (!log_file) return std::unexpected(ProjectError::io(log_file.error()));
    win::TempPath log = std::move(log_file->path);
    log_file->handle.reset();

    output_("Starting bds.exe and building...\n");
    const auto exit_code = win::run_child(bds_command(bds_exe_, project, log.path(), options.no_splash));
    if (!exit_code) return std::unexpected(ProjectError::io(exit_code.error()));

    // Others may still hold the log; the open handle keeps reading it after it is deleted.
    const win::UniqueHandle reader(CreateFileW(log.path().c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD open_error = reader ? ERROR_SUCCESS : GetLastError();
    log.reset();
    if (!reader) return std::unexpected(ProjectError::io(win::IoError::from_code(open_error)));

    if (auto echoed = echo_build_log(reader.get(), output_); !echoed)
        return std::unexpected(ProjectError::io(echoed.error()));
    return *exit_code;
}

}  // namespace kestrune::build
