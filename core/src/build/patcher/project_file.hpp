// Patched copies of Delphi and C++Builder project files (dproj, cbproj) for bds.exe.
#pragma once

#include <expected>
#include <optional>
#include <string_view>
#include <vector>

#include "catalogue/enums.hpp"
#include "build/build_options.hpp"
#include "build/patcher/project_path.hpp"
#include "build/project_error.hpp"
#include "win/temp_path.hpp"

namespace kestrune::build::patcher {

// The files of one patch: element 0 is the copy to build, element 1 its companion (the copy's
// name with ".local" added), then any member copies. Absent: build the user's own file.
using PatchResult = std::expected<std::optional<std::vector<win::TempPath>>, ProjectError>;

// Writes a copy of the project with the configuration, platform, tool architecture and
// version information applied, or gives no copy when nothing is asked for or the project does
// not have the expected shape. `extension` is the file's own, in its own letter case.
PatchResult patch_project_file(const ProjectPath& project, std::optional<catalogue::Platform> platform,
                               const BuildOptions& options, std::wstring_view extension);
}  // namespace kestrune::build::patcher
