// Carriage returns in the text of a copy. Every XML reader turns one that stands in the file
// as it is into a line feed, and the XML library writes text without turning it into a
// reference: written plainly, the copy would say something else than the project.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>

namespace kestrune::backends::patcher {

// Prepares the tree below `root` for writing: each carriage return in a text node, and in a
// CDATA section (which cannot hold a reference; it is split around the character), becomes a
// control character that the XML library writes as a reference of its own, "&#NN;". Gives that
// reference, which the caller replaces by "&#13;" in the written text; none when no text holds
// a carriage return. None too in a contrived file whose comments, CDATA sections and processing
// instructions hold the reference of every candidate: the carriage returns then stay as they are.
std::optional<std::string> mark_carriage_returns(pugi::xml_node root);

}  // namespace kestrune::backends::patcher
