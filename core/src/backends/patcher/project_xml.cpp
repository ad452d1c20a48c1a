#include "backends/patcher/project_xml.hpp"

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "backends/patcher/text_references.hpp"
#include "backends/patcher/tree_walk.hpp"
#include "text/text.hpp"

namespace kestrune::backends::patcher {
namespace {

// The name after its prefix, if any. One loop over the name: the C runtime's strlen and
// memchr, which measuring it and finding the colon would call, cost more for a short name,
// and the edits of a large project ask for tens of thousands.
std::string_view local_name(const char* name) {
    const char* local = name;
    const char* end = name;
    for (; *end != '\0'; ++end)
        if (*end == ':' && local == name) local = end + 1;
    return std::string_view(local, static_cast<std::size_t>(end - local));
}

bool starts_with_white_space(std::string_view value) {
    return !value.empty() && text::trim_start(value).size() != value.size();
}

bool ends_with_white_space(std::string_view value) {
    const std::string_view trimmed = text::trim(value);
    return !value.empty() && (trimmed.empty() || trimmed.data() + trimmed.size() != value.data() + value.size());
}

// Gives every comment a space after "<!--" and before "-->" when it has none there, and gives
// the text nodes that may need references marked: one walk of the tree for both.
std::vector<pugi::xml_node> prepare_for_writing(pugi::xml_node root) {
    std::vector<pugi::xml_node> holders;
    for (TreeWalk walk(root); walk.node(); walk.next()) {
        pugi::xml_node node = walk.node();
        if (needs_reference_marks(node)) holders.push_back(node);
        if (node.type() != pugi::node_comment) continue;
        const std::string_view value = node.value();
        const bool pad_start = !starts_with_white_space(value), pad_end = !ends_with_white_space(value);
        if (pad_start || pad_end)
            node.set_value(((pad_start ? " " : "") + std::string(value) + (pad_end ? " " : "")).c_str());
    }
    return holders;
}

// Hands the XML library's text on to `out` in pieces, each reference to a mark turned into the
// reference it stands for and the last line feed left out. The library writes in pieces of its
// own; the last bytes are held back until more comes, for they may be that line feed, or begin a
// reference (the library writes each whole today).
class CopyWriter final : public pugi::xml_writer {
public:
    CopyWriter(TextSink& out, std::size_t piece, std::vector<MarkedReference> marked)
        : out_(out), piece_(std::max<std::size_t>(piece, 1)), marked_(std::move(marked)) {}

    void write(const void* data, std::size_t size) override {
        if (!result_) return;
        pending_.append(static_cast<const char*>(data), size);
        if (pending_.size() >= piece_ + held_back) pass_on(false);
    }

    // Hands on what is left; the first error `out` gave, if any.
    std::expected<void, win::IoError> finish() {
        if (result_) pass_on(true);
        return result_;
    }

private:
    static constexpr std::size_t held_back = 4;  // a mark's reference's length less one

    void pass_on(bool last) {
        for (const MarkedReference& mark : marked_) {
            for (std::size_t at = pending_.find(mark.written, scanned_); at != std::string::npos;
                 at = pending_.find(mark.written, at + mark.meant.size()))
                pending_.replace(at, mark.written.size(), mark.meant);
        }
        if (last && pending_.ends_with('\n')) pending_.pop_back();
        const std::size_t ready =
            last ? pending_.size() : (pending_.size() - std::min(pending_.size(), held_back)) / piece_ * piece_;
        // What is held back is looked at again when more has come: a reference may end there.
        scanned_ = pending_.size() - std::min(pending_.size(), held_back) - ready;
        if (ready == 0) return;
        result_ = out_.write(std::string_view(pending_).substr(0, ready));
        pending_.erase(0, ready);
    }

    TextSink& out_;
    std::size_t piece_;
    std::vector<MarkedReference> marked_;
    std::string pending_;
    std::size_t scanned_ = 0;  // where in pending_ a reference may still begin
    std::expected<void, win::IoError> result_;
};

class StringSink final : public TextSink {
public:
    std::expected<void, win::IoError> write(std::string_view piece) override {
        text.append(piece);
        return {};
    }
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

std::expected<void, ProjectError> write_project_text(pugi::xml_node root, TextSink& out, std::size_t piece) {
    std::expected<void, win::IoError> written;
    try {
        const std::vector<pugi::xml_node> holders = prepare_for_writing(root);
        CopyWriter writer(out, piece, mark_references(root, holders));
        root.print(writer, "    ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
        written = writer.finish();
    } catch (const std::bad_alloc&) {
        return std::unexpected(ProjectError::emitter("out of memory"));
    }
    if (!written) return std::unexpected(ProjectError::emitter_io(std::move(written.error())));
    return {};
}

std::expected<std::string, ProjectError> project_text(pugi::xml_node root) {
    StringSink out;
    if (auto written = write_project_text(root, out); !written) return std::unexpected(std::move(written.error()));
    return std::move(out.text);
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
