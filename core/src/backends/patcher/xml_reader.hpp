// Reading the text of a project file or project group into an XML tree. The XML reader lets
// through a good deal that XML forbids; what it would turn into a different document, or
// into a tree no walk could follow, is refused here before anything else sees the tree.
#pragma once

#include <cstddef>
#include <expected>
#include <pugixml.hpp>
#include <string_view>

#include "backends/project_error.hpp"

namespace kestrune::backends::patcher {

// Elements nested deeper than this are refused: far beyond what the IDE writes, and shallow
// enough for the XML library's own recursive node removal.
inline constexpr std::size_t max_element_depth = 1000;

// Parses the text into the document, keeping comments and processing instructions inside the
// root element. "Cannot parse" when there is no root element; "Malformed XML. " with the row,
// the column and a description when the text is not well-formed XML, uses an encoding that is
// not read here, or nests elements deeper than max_element_depth.
std::expected<void, ProjectError> parse_project(std::string_view content, pugi::xml_document& document);

}  // namespace kestrune::backends::patcher
