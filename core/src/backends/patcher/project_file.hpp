// The patched tree of a Delphi or C++Builder project file (dproj, cbproj) for bds.exe.
#pragma once

#include <expected>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "backends/patcher/project_path.hpp"
#include "backends/patcher/request.hpp"
#include "backends/project_error.hpp"

namespace kestrune::backends::patcher {

// The project's tree with the configuration, platform, tool architecture and version
// information of the request applied, ready to be written as its copy. A project without the
// shape that carries them is refused, naming it as a member of `group` when it is one (Io:
// unreadable; XmlParse: not well-formed; Refused: no property group to carry the options, or no
// configuration or platform to build). Only called when the request asks for something.
std::expected<std::unique_ptr<pugi::xml_document>, ProjectError> plan_project_file(const ProjectPath& project,
                                                                                   const Request& request,
                                                                                   const std::wstring* group);
}  // namespace kestrune::backends::patcher
