// The XML tree of a project file or project group: finding, editing, and the text it is
// written as.
#pragma once

#include <cstdint>
#include <expected>
#include <initializer_list>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "backends/project_error.hpp"

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

// The text of the element as a copy is written: UTF-8 without a BOM or declaration, "\n"
// between lines and none after the last, four spaces per level, "<empty />", comments padded
// with a space inside their markers. What XML readers would normalise is written as a character
// reference (a carriage return in text; tab, carriage return and line feed in attribute
// values), so that the text reads back as the tree says. The tree is prepared for writing in
// place. XmlWrite ("emitter error: out of memory") when the text cannot be held.
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
