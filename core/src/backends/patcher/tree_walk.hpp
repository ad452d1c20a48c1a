// Visiting the nodes of an XML tree without recursion: a project's tree may be deeper than
// the stack could follow.
#pragma once

#include <cstddef>
#include <pugixml.hpp>

namespace kestrune::backends::patcher {

// Walks the nodes below `top` in document order: a node, then what it holds, then its next sibling.
class TreeWalk {
public:
    explicit TreeWalk(pugi::xml_node top) : top_(top), node_(top.first_child()) {}

    // The current node; empty once every node has been visited.
    pugi::xml_node node() const { return node_; }
    // How far below `top` the current node lies: 1 for its children.
    std::size_t depth() const { return depth_; }

    // Moves to the next node; with `into_children` clear, what the current node holds is skipped.
    void next(bool into_children = true) {
        if (!node_) return;
        if (into_children && node_.first_child()) {
            node_ = node_.first_child();
            ++depth_;
            return;
        }
        for (; node_ != top_; node_ = node_.parent(), --depth_)
            if (const pugi::xml_node sibling = node_.next_sibling()) {
                node_ = sibling;
                return;
            }
        node_ = {};
    }

private:
    pugi::xml_node top_;
    pugi::xml_node node_;
    std::size_t depth_ = 1;
};

}  // namespace kestrune::backends::patcher
