// The entry of the project patcher: project files by extension, and project groups.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>

#include "backends/build_options.hpp"
#include "backends/patcher/project_io.hpp"
#include "backends/patcher/project_path.hpp"
#include "backends/project_error.hpp"
#include "catalogue/enums.hpp"

namespace kestrune::backends::patcher {

// Groups listing groups deeper than this are refused: far beyond what anyone arranges, and it
// keeps a chain of groups from taking unbounded time and memory.
inline constexpr std::size_t max_group_depth = 1000;

// The copy to build, with its companion and its members' copies; absent: build the user's own file.
using PatchResult = std::expected<std::optional<PatchedCopy>, ProjectError>;

// Patches a dproj or cbproj file, or each member of a groupproj file and then the group with
// its members pointing to their copies (extensions compared ignoring ASCII case). Without
// anything that only a copy carries, nothing is copied, but groups are still read. Otherwise a
// project or member that cannot carry what is asked (not a project file the patcher handles,
// or one without the expected property groups) is refused, as is a value XML cannot write;
// every copy is planned before the first is written, so a refusal leaves no file behind.
PatchResult patch_project(const ProjectPath& project, std::optional<catalogue::Platform> platform,
                          const BuildOptions& options);

}  // namespace kestrune::backends::patcher
