// The patched tree of a Delphi or C++Builder project file (dproj, cbproj) for bds.exe.
#pragma once

#include <expected>
#include <pugixml.hpp>
#include <string>

#include "backends/patcher/project_path.hpp"
#include "backends/patcher/request.hpp"
#include "backends/project_error.hpp"

namespace kestrune::backends::patcher {

// Applies the configuration, platform, tool architecture and version information of the
// request to the project's tree (its root element), which is then ready to be written as its
// copy. A project without the shape that carries them is refused, naming it as a member of
// `group` when it is one (Refused: no property group to carry the options, or no configuration
// or platform to build), and its tree is left as it was. Only called when the request asks for
// something.
std::expected<void, ProjectError> patch_project_file(pugi::xml_node root, const ProjectPath& project, const Request& request,
                                                     const std::wstring* group);

}  // namespace kestrune::backends::patcher
