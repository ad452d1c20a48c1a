// Project files on disk: read into a tree, and trees written into patched copies beside them.
#pragma once

#include <windows.h>

#include <expected>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "backends/patcher/project_path.hpp"
#include "backends/project_error.hpp"
#include "win/temp_path.hpp"

namespace kestrune::backends::patcher {

// A patched copy, deleted when its owner goes: the copy that is built in the project's place,
// its companion (the copy's name with ".local" added), which bds.exe may leave beside it, and
// for a project group the copies of its members that were patched, in member order, each with
// its own.
struct PatchedCopy {
    win::TempPath copy;
    win::TempPath companion;
    std::vector<PatchedCopy> members;
};

// Reads and parses the file (parse_project): Io when it cannot be read, XmlParse when it is
// not well-formed XML or nests elements too deeply. Comments and processing instructions
// inside the root element are kept.
std::expected<void, ProjectError> load_project(const std::wstring& path, pugi::xml_document& document);

// Writes the element into the open file as project_text gives it; XmlWrite when that fails or
// the file takes the text only in part.
std::expected<void, ProjectError> write_project(pugi::xml_node root, HANDLE file);

// Creates the empty copy of a project beside its effective path, named after it: stem, a point,
// six random characters, a point and the extension (Project1.kT3q9Z.dproj), under an absolute
// path.
std::expected<win::TempFile, ProjectError> temp_project_file(const ProjectPath& project);

// Writes the tree into a new copy of the project (temp_project_file); the copy is deleted again
// when writing fails. The members are left to the caller.
std::expected<PatchedCopy, ProjectError> write_copy(pugi::xml_node root, const ProjectPath& project);

}  // namespace kestrune::backends::patcher
