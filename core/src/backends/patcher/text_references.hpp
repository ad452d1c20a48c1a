// Text of a copy that every XML reader would read otherwise than the tree says, were it
// written plainly: a carriage return turns into a line feed, and text of white space alone
// between tags is no text at all to the reader (MSBuild's and ours). The XML library writes
// text without turning such characters into references, so they are marked before writing and
// the marks replaced by references afterwards.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <vector>

namespace kestrune::backends::patcher {

// A reference that the written text holds only where a mark stood, and the one it stands for.
struct MarkedReference {
    std::string written;  // "&#NN;", the XML library's reference of the mark
    std::string meant;    // "&#13;", "&#32;" …
};

// Whether writing the node plainly could have a reader see other text than it holds: a text
// node or CDATA section with a carriage return, a text node of white space alone, or one that
// follows another text node. Asked of every node on the walk before writing.
bool needs_reference_marks(pugi::xml_node node);

// Prepares the tree below `root` for writing, given the nodes below it that needs_reference_marks
// picked, in document order: text nodes side by side are joined into one, and each carriage
// return in a text node, and in a CDATA section (which cannot hold a reference; it is split
// around the character), and the first character of a text node of white space alone, becomes a
// control character that the XML library writes as a reference of its own; the caller replaces
// each such reference in the written text by the one it stands for. Nothing is marked in a
// contrived file whose comments, CDATA sections and processing instructions hold the reference
// of every candidate: the text is then written as it is.
std::vector<MarkedReference> mark_references(pugi::xml_node root, const std::vector<pugi::xml_node>& candidates);

}  // namespace kestrune::backends::patcher
