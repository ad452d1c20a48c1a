// Where a project file is, and the parts of its name the patcher uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrune::backends::patcher {

// A project file, as the user named it or as a project group's Include attribute holds it.
struct ProjectPath {
    std::wstring path;
    std::optional<std::wstring> base_dir;  // what a relative `path` is relative to

    // `path` itself when there is no base directory, else `path` resolved against it by the
    // platform's rules.
    std::wstring effective_path() const;
};

}  // namespace kestrune::backends::patcher
