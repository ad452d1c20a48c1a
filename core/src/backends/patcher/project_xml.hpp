// The XML tree of a project file or project group: finding, editing, and the text it is
// written as.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <initializer_list>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "backends/project_error.hpp"
#include "win/io_error.hpp"

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

// Where the text of a copy goes, a piece at a time.
class TextSink {
public:
    virtual ~TextSink() = default;
    // Takes the piece, or gives the error that ends the writing.
    virtual std::expected<void, win::IoError> write(std::string_view piece) = 0;
};

// How much of a copy's text is handed on at a time.
inline constexpr std::size_t text_piece = std::size_t{1} << 18;

// Writes the text of the element as a copy is written: UTF-8 without a BOM or declaration, "\n"
// between lines and none after the last, four spaces per level, "<empty />", comments padded
// with a space inside their markers. What XML readers would normalise is written as a character
// reference (a carriage return in text; tab, carriage return and line feed in attribute
// values), so that the text reads back as the tree says. The tree is prepared for writing in
// place. The text goes to `out` in pieces of a multiple of `piece` bytes, and the rest at the
// end; it is never held whole. XmlWrite when the text cannot be held ("emitter error: out of
// memory") or `out` fails ("emitter error: I/O error: " and its error); `out` may then have
// taken a part of it.
std::expected<void, ProjectError> write_project_text(pugi::xml_node root, TextSink& out, std::size_t piece = text_piece);
// The same text as one string.
std::expected<std::string, ProjectError> project_text(pugi::xml_node root);

// Appends an element of that name holding only the content.
void append_property(pugi::xml_node group, std::string_view name, const PropertyContent& content);
// The text and CDATA of the parent's first child element of that name, joined; absent when
// there is no such element or it holds neither.
std::optional<std::string> child_text(pugi::xml_node parent, std::string_view name);
// Removes every element among the parent's descendants whose name is one of the names. The
// children listed in `keep` are left alone with all they contain.
void remove_elements(pugi::xml_node parent, const std::vector<std::string_view>& names,
                     std::initializer_list<pugi::xml_node> keep = {});

}  // namespace kestrune::backends::patcher
