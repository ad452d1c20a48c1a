// The targets of a project group's copy: bds.exe builds a group through them, and they are to
// build the members' copies.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace kestrune::backends::patcher {

// A member of a group: its Include attribute, and the path of its copy when it got one.
struct GroupMember {
    pugi::xml_attribute include;
    std::optional<std::string> copy;
};

// The group's own targets build the original members; bds.exe is to build the copies. Each
// member that got a copy is listed by its copy's path instead, each member gets a target of its
// own, and Build calls them in member order; the group's other targets go.
void point_to_copies(pugi::xml_node root, const std::vector<GroupMember>& members);

}  // namespace kestrune::backends::patcher
