// Where a project file is, and the parts of its name the patcher uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrune::msbuild::patcher {

// A project file, as the user named it or as a project group's Include attribute holds it.
struct ProjectPath {
    std::wstring path;
    std::optional<std::wstring> base_dir;  // what a relative `path` is relative to

    // `path` itself when it is absolute or there is no base directory, else the two joined.
    std::wstring effective_path() const;
};

// Whether the path has both a drive or share and a root: C:\x, \\server\share, \\?\C:\x.
bool is_absolute(std::wstring_view path);
// The path without its last component (empty when it has only one).
std::wstring parent_dir(std::wstring_view path);

}  // namespace kestrune::msbuild::patcher
