// Patched copies of Delphi and C++Builder project files (dproj, cbproj) for bds.exe.
#pragma once

#include <expected>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/enums.hpp"
#include "build/build_options.hpp"
#include "build/patcher/project_path.hpp"
#include "build/patcher/project_xml.hpp"
#include "build/project_error.hpp"
#include "win/temp_path.hpp"

namespace kestrune::build::patcher {

// The files of one patch: element 0 is the copy to build, element 1 its companion (the copy's
// name with ".local" added), then any member copies. Absent: build the user's own file.
using PatchResult = std::expected<std::optional<std::vector<win::TempPath>>, ProjectError>;

// One MSBuild property to put into the copy.
struct PropertyUpdate {
    PropertyContent content;
    std::string property;       // the element name
    bool first_group = true;    // into the first PropertyGroup; clear: into the base group
    bool remove_elsewhere = false;  // also drop elements of that name outside both groups
};

// Writes a copy of the project with the configuration, platform, tool architecture and
// version information applied, or gives no copy when nothing is asked for or the project does
// not have the expected shape. `extension` is the file's own, in its own letter case.
PatchResult patch_project_file(const ProjectPath& project, std::optional<catalogue::Platform> platform,
                               const BuildOptions& options, std::wstring_view extension);

// The given value, queued as an update of the first group; without one, the first group's own.
std::optional<std::string> resolve_property(std::string_view name, const std::optional<std::string>& given,
                                            pugi::xml_node first_group, std::vector<PropertyUpdate>& updates);

// The first PropertyGroup child whose Condition is exactly that of the configuration and platform.
pugi::xml_node find_config_group(pugi::xml_node parent, std::string_view config, std::string_view platform);

}  // namespace kestrune::build::patcher
