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

std::expected<void, ProjectError> write_project(pugi::xml_node root, HANDLE file) {
    const auto text = project_text(root);
    if (!text) return std::unexpected(text.error());
    if (auto written = win::write_all(file, *text); !written) return std::unexpected(ProjectError::emitter_io(written.error()));
    return {};
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
