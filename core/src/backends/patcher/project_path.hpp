// Where a project file is, and the parts of its name the patcher uses.
#pragma once

#include <optional>
#include <string>

namespace kestrune::backends::patcher {

// A project file, as the user named it or as a project group's Include attribute holds it.
class ProjectPath {
public:
    // `base_dir`: what a relative `path` is relative to, when anything.
    ProjectPath(std::wstring path, const std::optional<std::wstring>& base_dir);

    // The path as it was written.
    const std::wstring& path() const { return path_; }
    // `path` itself when there is no base directory, else `path` resolved against it by the
    // platform's rules: where the file is read, and where its copy is written beside.
    const std::wstring& effective_path() const { return effective_; }

private:
    std::wstring path_;
    std::wstring effective_;
};

}  // namespace kestrune::backends::patcher
