#include "backends/patcher/group_targets.hpp"

#include <algorithm>

#include "backends/msbuild_escape.hpp"
#include "backends/patcher/project_xml.hpp"
#include "text/text.hpp"
#include "win/path.hpp"
#include "win/utf.hpp"

namespace kestrune::backends::patcher {
namespace {

// A target name that MSBuild takes (it refuses $ @ ( ) % * ? and points, and a list of names
// splits at ";") and that differs, ignoring letter case as MSBuild does, from every name taken.
std::string target_name(const std::string& entry, std::vector<std::string>& taken) {
    std::string base = win::to_utf8(win::file_stem(win::to_wide(entry)));
    for (char& c : base) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
                          static_cast<unsigned char>(c) >= 0x80;
        if (!kept) c = '_';
    }
    std::string name = base;
    for (int n = 2; std::find(taken.begin(), taken.end(), text::ascii_lower(name)) != taken.end(); ++n)
        name = base + "_" + std::to_string(n);
    taken.push_back(text::ascii_lower(name));
    return name;
}

}  // namespace

void point_to_copies(pugi::xml_node root, const std::vector<GroupMember>& members) {
    remove_elements(root, {"Target"});
    std::vector<std::string> taken{"build"};
    std::string build_targets;
    for (const GroupMember& member : members) {
        pugi::xml_attribute include = member.include;
        std::string entry = include.value();
        if (member.copy) {
            entry = *member.copy;
            include.set_value(entry.c_str());
        }
        const std::string name = target_name(entry, taken);
        pugi::xml_node target = root.append_child("Target");
        target.append_attribute("Name").set_value(name.c_str());
        // The MSBuild task reads its Projects as an item list: the path is to reach it as written.
        target.append_child("MSBuild").append_attribute("Projects").set_value(msbuild_escape(entry).c_str());
        if (!build_targets.empty()) build_targets += ';';
        build_targets += name;
    }
    pugi::xml_node build = root.append_child("Target");
    build.append_attribute("Name").set_value("Build");
    build.append_child("CallTarget").append_attribute("Targets").set_value(build_targets.c_str());
}

}  // namespace kestrune::backends::patcher
