// Reading, editing and writing the XML tree of a project file or project group.
#pragma once

#include <windows.h>

#include <cstdint>
#include <expected>
#include <initializer_list>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "backends/patcher/project_path.hpp"
#include "backends/project_error.hpp"
#include "win/temp_path.hpp"

namespace kestrune::backends::patcher {

// The only child of a property element that the patcher adds: plain text or a CDATA section.
struct PropertyContent {
    enum class Kind : std::uint8_t { Text, CData };
    Kind kind = Kind::Text;
    std::string value;

    bool operator==(const PropertyContent&) const = default;
};

// Whether the node is an element with this local name (prefix ignored, case-sensitive).
bool is_element(pugi::xml_node node, std::string_view name);
// The first child element of the parent with this local name; an empty node when there is none.
pugi::xml_node first_child_element(pugi::xml_node parent, std::string_view name);

// Reads and parses the file (parse_project): Io when it cannot be read, XmlParse when it is
// not well-formed XML or nests elements too deeply. Comments and processing instructions
// inside the root element are kept.
std::expected<void, ProjectError> load_project(const std::wstring& path, pugi::xml_document& document);

// Writes the element into the open file: UTF-8 without a BOM or declaration, "\n" between
// lines, four spaces per level, "<empty />", comments padded with a space inside their markers.
// What XML readers would normalise is written as a character reference (a carriage return in
// text; tab, carriage return and line feed in attribute values), so that the file reads back
// as the tree says. The tree is prepared for writing in place.
std::expected<void, ProjectError> write_project(pugi::xml_node root, HANDLE file);

// Creates the empty copy of a project beside its effective path: stem, a point, six random
// characters, a point and the extension (Project1.kT3q9Z.dproj), under an absolute path.
std::expected<win::TempFile, ProjectError> temp_project_file(const ProjectPath& project, std::wstring_view extension);

// Writes the tree into a new copy of the project (temp_project_file) and gives the copy and its
// companion, the copy's name with ".local" added, which bds.exe may leave beside it. The copy
// is deleted again when writing fails.
std::expected<std::vector<win::TempPath>, ProjectError> write_copy(pugi::xml_node root, const ProjectPath& project,
                                                                   std::wstring_view extension);

// Appends an element of that name holding only the content.
void append_property(pugi::xml_node group, std::string_view name, const PropertyContent& content);
// The text and CDATA of the parent's first child element of that name, joined; absent when
// there is no such element or it holds neither.
std::optional<std::string> child_text(pugi::xml_node parent, std::string_view name);
// Removes every element among the parent's descendants whose name is one of the names. The
// children listed in `keep` are left alone with all they contain.
void remove_elements(pugi::xml_node parent, std::initializer_list<std::string_view> names,
                     std::initializer_list<pugi::xml_node> keep = {});

}  // namespace kestrune::backends::patcher
