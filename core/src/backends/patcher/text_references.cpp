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

bool holds_carriage_return(std::string_view value) {
    // A plain loop: the C runtime's memchr is slow under Wine, and most texts are short.
    for (const char c : value)
        if (c == '\r') return true;
    return false;
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

bool needs_reference_marks(pugi::xml_node node) {
    if (node.type() == pugi::node_cdata) return holds_carriage_return(node.value());
    if (node.type() != pugi::node_pcdata) return false;
    const std::string_view value = node.value();
    return node.previous_sibling().type() == pugi::node_pcdata || holds_carriage_return(value) || is_white_space_alone(value);
}

std::vector<MarkedReference> mark_references(pugi::xml_node root, const std::vector<pugi::xml_node>& candidates) {
    if (candidates.empty()) return {};
    // Each run of text nodes side by side (left where an element between them was removed) is
    // joined into its first: a reader sees one text there, and whether it is white space alone
    // is a question of the whole run. Backwards, so that a run is joined from its end.
    std::vector<pugi::xml_node> texts;
    for (auto node = candidates.rbegin(); node != candidates.rend(); ++node) {
        pugi::xml_node previous = node->previous_sibling();
        if (node->type() != pugi::node_pcdata || previous.type() != pugi::node_pcdata) {
            texts.push_back(*node);
            continue;
        }
        previous.set_value((std::string(previous.value()) + node->value()).c_str());
        previous.parent().remove_child(*node);
        // The run's first node, which may hold nothing to mark itself.
        if (previous.previous_sibling().type() != pugi::node_pcdata) texts.push_back(previous);
    }
    std::sort(texts.begin(), texts.end());
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());

    // What each text needs marked: its carriage returns, or else, when it is white space alone,
    // its first character.
    std::vector<pugi::xml_node> holders;
    std::map<char, char> markers;  // character → its mark
    for (const pugi::xml_node node : texts) {
        const std::string_view value = node.value();
        if (holds_carriage_return(value)) {
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
        if (holds_carriage_return(value))
            std::replace(value.begin(), value.end(), '\r', markers.at('\r'));
        else
            value.front() = markers.at(value.front());
        holder.set_value(value.c_str());
    }
    return marked;
}

}  // namespace kestrune::backends::patcher
