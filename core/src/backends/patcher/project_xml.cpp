#include "backends/patcher/project_xml.hpp"

#include <algorithm>
#include <new>

#include "backends/patcher/text_references.hpp"
#include "backends/patcher/tree_walk.hpp"
#include "text/text.hpp"

namespace kestrune::backends::patcher {
namespace {

std::string_view local_name(const char* name) {
    const std::string_view full(name);
    const auto colon = full.find(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

bool starts_with_white_space(std::string_view value) {
    return !value.empty() && text::trim_start(value).size() != value.size();
}

bool ends_with_white_space(std::string_view value) {
    const std::string_view trimmed = text::trim(value);
    return !value.empty() && (trimmed.empty() || trimmed.data() + trimmed.size() != value.data() + value.size());
}

// Gives every comment a space after "<!--" and before "-->" when it has none there.
void pad_comments(pugi::xml_node root) {
    for (TreeWalk walk(root); walk.node(); walk.next()) {
        pugi::xml_node comment = walk.node();
        if (comment.type() != pugi::node_comment) continue;
        const std::string_view value = comment.value();
        const bool pad_start = !starts_with_white_space(value), pad_end = !ends_with_white_space(value);
        if (pad_start || pad_end)
            comment.set_value(((pad_start ? " " : "") + std::string(value) + (pad_end ? " " : "")).c_str());
    }
}

class StringWriter final : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
    std::string text;
};

}  // namespace

bool is_element(pugi::xml_node node, std::string_view name) {
    return node.type() == pugi::node_element && local_name(node.name()) == name;
}

pugi::xml_node first_child_element(pugi::xml_node parent, std::string_view name) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (is_element(child, name)) return child;
    return {};
}

std::expected<std::string, ProjectError> project_text(pugi::xml_node root) {
    std::string text;
    try {
        pad_comments(root);
        const std::vector<MarkedReference> marked = mark_references(root);
        StringWriter writer;
        root.print(writer, "    ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
        text = std::move(writer.text);
        for (const MarkedReference& mark : marked) {
            for (auto at = text.find(mark.written); at != std::string::npos; at = text.find(mark.written, at))
                text.replace(at, mark.written.size(), mark.meant);
        }
    } catch (const std::bad_alloc&) {
        return std::unexpected(ProjectError::emitter("out of memory"));
    }
    // Lines are separated, not terminated: the root's closing tag ends the file.
    if (text.ends_with('\n')) text.pop_back();
    return text;
}

void append_property(pugi::xml_node group, std::string_view name, const PropertyContent& content) {
    pugi::xml_node element = group.append_child(std::string(name).c_str());
    const auto type = content.kind == PropertyContent::Kind::CData ? pugi::node_cdata : pugi::node_pcdata;
    element.append_child(type).set_value(content.value.c_str());
}

std::optional<std::string> child_text(pugi::xml_node parent, std::string_view name) {
    const pugi::xml_node element = first_child_element(parent, name);
    if (!element) return std::nullopt;
    std::optional<std::string> text;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text = text.value_or("") + child.value();
    return text;
}

void remove_elements(pugi::xml_node parent, const std::vector<std::string_view>& names,
                     std::initializer_list<pugi::xml_node> keep) {
    for (TreeWalk walk(parent); walk.node();) {
        const pugi::xml_node node = walk.node();
        const bool kept = walk.depth() == 1 && std::find(keep.begin(), keep.end(), node) != keep.end();
        const bool dropped = !kept && node.type() == pugi::node_element &&
                             std::find(names.begin(), names.end(), local_name(node.name())) != names.end();
        // Step past the node before it goes, so that the walk never stands inside what is removed.
        walk.next(!kept && !dropped);
        if (dropped) node.parent().remove_child(node);
    }
}

}  // namespace kestrune::backends::patcher
