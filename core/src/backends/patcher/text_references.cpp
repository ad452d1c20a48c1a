#include "backends/patcher/text_references.hpp"

#include <algorithm>
#include <map>
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

// Control characters, as many as asked for, that nothing in the tree holds and whose references
// nothing written as it is holds, so that each occurrence of such a reference in the written
// text is one of ours; fewer when there are not so many.
std::vector<char> free_markers(pugi::xml_node root, std::size_t count) {
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
    std::vector<char> markers;
    for (char c = 1; c < 32 && markers.size() < count; ++c) {
        if (c == '\t' || c == '\n' || c == '\r') continue;
        const std::string ref = reference(c);
        const auto holds_char = [c](std::string_view value) { return value.find(c) != std::string_view::npos; };
        const auto holds_ref = [&ref](std::string_view value) { return value.find(ref) != std::string_view::npos; };
        if (std::none_of(escaped.begin(), escaped.end(), holds_char) &&
            std::none_of(unescaped.begin(), unescaped.end(), holds_char) &&
            std::none_of(unescaped.begin(), unescaped.end(), holds_ref))
            markers.push_back(c);
    }
    return markers;
}

// Text that a reader keeps only when some of it stands as a reference.
bool is_white_space_alone(std::string_view value) {
    return !value.empty() && value.find_first_not_of(" \t\n\r") == std::string_view::npos;
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

// Joins each run of text nodes that stand side by side (left where an element between them
// was removed) into its first: a reader sees one text there, and whether it is white space
// alone is a question of the whole run.
void join_adjacent_text(pugi::xml_node root) {
    std::vector<pugi::xml_node> joined;
    for (TreeWalk walk(root); walk.node(); walk.next()) {
        const pugi::xml_node node = walk.node();
        if (node.type() == pugi::node_pcdata && node.previous_sibling().type() == pugi::node_pcdata) joined.push_back(node);
    }
    // Backwards, so that a run is joined from its end into its first node.
    for (auto node = joined.rbegin(); node != joined.rend(); ++node) {
        pugi::xml_node previous = node->previous_sibling();
        previous.set_value((std::string(previous.value()) + node->value()).c_str());
        previous.parent().remove_child(*node);
    }
}

std::vector<MarkedReference> mark_references(pugi::xml_node root) {
    join_adjacent_text(root);
    // What each text node needs marked: its carriage returns, or else, when it is white space
    // alone, its first character.
    std::vector<pugi::xml_node> holders;
    std::map<char, char> markers;  // character → its mark
    for (TreeWalk walk(root); walk.node(); walk.next()) {
        const pugi::xml_node node = walk.node();
        if (!is_text(node)) continue;
        const std::string_view value = node.value();
        if (value.find('\r') != std::string_view::npos) {
            markers['\r'];
        } else if (node.type() == pugi::node_pcdata && is_white_space_alone(value)) {
            markers[value.front()];
        } else {
            continue;
        }
        holders.push_back(node);
    }
    if (holders.empty()) return {};
    const std::vector<char> free = free_markers(root, markers.size());
    if (free.size() < markers.size()) return {};
    std::vector<MarkedReference> marked;
    auto next_free = free.begin();
    for (auto& [c, marker] : markers) {
        marker = *next_free++;
        marked.push_back({reference(marker), "&#" + std::to_string(static_cast<int>(c)) + ";"});
    }
    for (pugi::xml_node holder : holders) {
        if (holder.type() == pugi::node_cdata) {
            split_cdata(holder, markers.at('\r'));
            continue;
        }
        std::string value = holder.value();
        if (value.find('\r') != std::string::npos)
            std::replace(value.begin(), value.end(), '\r', markers.at('\r'));
        else
            value.front() = markers.at(value.front());
        holder.set_value(value.c_str());
    }
    return marked;
}

}  // namespace kestrune::backends::patcher
