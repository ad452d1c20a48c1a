#include "backends/patcher/project_io.hpp"

#include <utility>

#include "backends/patcher/project_xml.hpp"
#include "backends/patcher/xml_reader.hpp"
#include "win/file.hpp"
#include "win/path.hpp"

namespace kestrune::backends::patcher {

std::expected<void, ProjectError> load_project(const std::wstring& path, pugi::xml_document& document) {
    auto content = win::read_file(path);
    if (!content) return std::unexpected(ProjectError::io(content.error()));
    return parse_project(*content, document);
}

namespace {

class FileSink final : public TextSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}
    std::expected<void, win::IoError> write(std::string_view piece) override { return win::write_all(file_, piece); }

private:
    HANDLE file_;
};

}  // namespace

std::expected<void, ProjectError> write_project(pugi::xml_node root, HANDLE file) {
    // Straight into the file, a piece at a time: the text of a large project is never held whole.
    FileSink out(file);
    return write_project_text(root, out);
}

std::expected<win::TempFile, ProjectError> temp_project_file(const ProjectPath& project) {
    const std::wstring& effective = project.effective_path();
    const std::wstring prefix = std::wstring(win::file_stem(effective)) + L".";
    const std::wstring suffix = L"." + std::wstring(win::file_extension(effective));
    auto file = win::create_temp_file(win::parent_directory(effective).value_or(std::wstring()), prefix, suffix);
    if (!file) return std::unexpected(ProjectError::io(file.error()));
    return std::move(*file);
}

std::expected<PatchedCopy, ProjectError> write_copy(pugi::xml_node root, const ProjectPath& project) {
    auto file = temp_project_file(project);
    if (!file) return std::unexpected(file.error());
    if (auto written = write_project(root, file->handle.get()); !written) return std::unexpected(written.error());
    file->handle.reset();
    std::wstring companion = file->path.path() + L".local";
    return PatchedCopy{std::move(file->path), win::TempPath(std::move(companion)), {}};
}

}  // namespace kestrune::backends::patcher
