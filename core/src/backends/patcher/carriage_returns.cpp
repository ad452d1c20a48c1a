#include "backends/patcher/carriage_returns.hpp"

#include <algorithm>
#include <string_view>
#include <vector>

#include "backends/patcher/tree_walk.hpp"

namespace kestrune::backends::patcher {
namespace {

// The reference the XML library writes for a control character: always two digits.
std::string reference(char c) {
    return {'&', '#', static_cast<char>('0' + c / 10), static_cast<char>('0' + c % 10), ';'};
}

bool is_text(pugi::xml_node node) { return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata; }

// What the XML library writes as it is, where a reference's text is no reference.
bool written_unescaped(pugi::xml_node node) {
    switch (node.type()) {
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
    case pugi::node_declaration:
    case pugi::node_doctype:
        return true;
    default:
        return false;
    }
}

// A control character that nothing in the tree holds and whose reference nothing written as it
// is holds, so that each occurrence of that reference in the written text is one of ours.
std::optional<char> free_marker(pugi::xml_node root) {
    std::vector<std::string_view> escaped, unescaped;
    const auto add_attributes = [&](pugi::xml_node node) {
        for (const pugi::xml_attribute attribute : node.attributes()) escaped.emplace_back(attribute.value());
    };
    add_attributes(root);
    for (TreeWalk walk(root); walk.node(); walk.next()) {
        const pugi::xml_node node = walk.node();
        (written_unescaped(node) ? unescaped : escaped).emplace_back(node.value());
        add_attributes(node);
    }
    for (char c = 1; c < 32; ++c) {
        if (c == '\t' || c == '\n' || c == '\r') continue;
        const std::string ref = reference(c);
        const auto holds_char = [c](std::string_view value) { return value.find(c) != std::string_view::npos; };
        const auto holds_ref = [&ref](std::string_view value) { return value.find(ref) != std::string_view::npos; };
        if (std::none_of(escaped.begin(), escaped.end(), holds_char) &&
            std::none_of(unescaped.begin(), unescaped.end(), holds_char) &&
            std::none_of(unescaped.begin(), unescaped.end(), holds_ref))
            return c;
    }
    return std::nullopt;
}

// "a\rb" in CDATA becomes CDATA "a", the marker as text, CDATA "b".
void split_cdata(pugi::xml_node cdata, char marker) {
    const std::string value = cdata.value();
    pugi::xml_node parent = cdata.parent();
    std::size_t start = 0;
    for (std::size_t end; start <= value.size(); start = end + 1) {
        end = std::min(value.find('\r', start), value.size());
        if (end > start) parent.insert_child_before(pugi::node_cdata, cdata).set_value(value.substr(start, end - start).c_str());
        if (end < value.size()) parent.insert_child_before(pugi::node_pcdata, cdata).set_value(std::string(1, marker).c_str());
    }
    parent.remove_child(cdata);
}

}  // namespace

std::optional<std::string> mark_carriage_returns(pugi::xml_node root) {
    std::vector<pugi::xml_node> holders;
    for (TreeWalk walk(root); walk.node(); walk.next())
        if (is_text(walk.node()) && std::string_view(walk.node().value()).find('\r') != std::string_view::npos)
            holders.push_back(walk.node());
    if (holders.empty()) return std::nullopt;
    const std::optional<char> marker = free_marker(root);
    if (!marker) return std::nullopt;
    for (pugi::xml_node holder : holders) {
        if (holder.type() == pugi::node_cdata) {
            split_cdata(holder, *marker);
            continue;
        }
        std::string value = holder.value();
        std::replace(value.begin(), value.end(), '\r', *marker);
        holder.set_value(value.c_str());
    }
    return reference(*marker);
}

}  // namespace kestrune::backends::patcher
