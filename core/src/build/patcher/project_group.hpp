// The entry of the project patcher: project files by extension, and project groups.
#pragma once

#include <optional>

#include "catalogue/enums.hpp"
#include "build/build_options.hpp"
#include "build/patcher/project_file.hpp"
#include "build/patcher/project_path.hpp"

namespace kestrune::build::patcher {

// Patches a dproj or cbproj file, or each member of a groupproj file and then the group with
// its members pointing to their copies; any other file gives no copy. Extensions are
// compared ignoring ASCII case.
PatchResult patch_project(const ProjectPath& project, std::optional<catalogue::Platform> platform,
                          const BuildOptions& options);

}  // namespace kestrune::build::patcher
