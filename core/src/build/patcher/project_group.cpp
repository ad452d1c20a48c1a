#include "build/patcher/project_group.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "build/patcher/project_xml.hpp"
#include "text/text.hpp"
#include "win/path.hpp"
#include "win/temp_path.hpp"
#include "win/utf.hpp"

namespace kestrune::build::patcher {
namespace {

// The name of the target that builds a member: its stem with points made underscores.
std::string target_name(const std::string& entry) {
    std::string name = win::to_utf8(win::file_stem(win::to_wide(entry)));
    for (char& c : name)
        if (c == '.') c = '_';
    return name;
}

// The groups being patched, outermost first, by absolute path.
using GroupChain = std::vector<std::wstring>;

PatchResult patch_any(const ProjectPath& project, std::optional<catalogue::Platform> platform, const BuildOptions& options,
                      const GroupChain& chain);

bool same_path(const std::wstring& a, const std::wstring& b) { return text::equal_ignore_ascii_case(a, b); }

PatchResult patch_group(const ProjectPath& group, std::optional<catalogue::Platform> platform, const BuildOptions& options,
                        std::wstring_view extension, const GroupChain& chain) {
    // Read even when nothing is asked for, so that a missing or broken group is always reported.
    pugi::xml_document document;
    const std::wstring group_path = group.effective_path();
    if (auto loaded = load_project(group_path, document); !loaded) return std::unexpected(loaded.error());
    // A group that lists itself, directly or through its members, would be patched without
    // end; the repeated one is left to the IDE as it is.
    const std::wstring absolute = win::absolute_path(group_path).value_or(group_path);
    if (std::any_of(chain.begin(), chain.end(), [&](const std::wstring& open) { return same_path(open, absolute); }))
        return std::nullopt;
    GroupChain members_chain = chain;
    members_chain.push_back(absolute);

    pugi::xml_node root = document.document_element();
    const pugi::xml_node item_group = first_child_element(root, "ItemGroup");
    if (!item_group) return std::nullopt;

    const std::wstring group_dir = win::parent_directory(group_path).value_or(std::wstring());
    std::vector<std::string> entries;
    std::vector<win::TempPath> collected;
    bool patched = false;
    for (pugi::xml_node member = item_group.first_child(); member; member = member.next_sibling()) {
        pugi::xml_attribute include = member.attribute("Include");
        if (!is_element(member, "Projects") || !include) continue;
        auto files = patch_any({win::to_wide(include.value()), group_dir}, platform, options, members_chain);
        if (!files) return std::unexpected(files.error());
        if (!*files) {
            entries.emplace_back(include.value());
            continue;
        }
        patched = true;
        std::string copy = win::to_utf8((**files)[0].path());
        include.set_value(copy.c_str());
        entries.push_back(std::move(copy));
        for (win::TempPath& file : **files) collected.push_back(std::move(file));
    }
    if (!patched) return std::nullopt;

    // The group's own targets build the original members; bds.exe is to build the copies.
    remove_elements(root, {"Target"});
    std::string build_targets;
    for (const std::string& entry : entries) {
        const std::string name = target_name(entry);
        pugi::xml_node target = root.append_child("Target");
        target.append_attribute("Name").set_value(name.c_str());
        target.append_child("MSBuild").append_attribute("Projects").set_value(entry.c_str());
        if (!build_targets.empty()) build_targets += ';';
        build_targets += name;
    }
    pugi::xml_node build = root.append_child("Target");
    build.append_attribute("Name").set_value("Build");
    build.append_child("CallTarget").append_attribute("Targets").set_value(build_targets.c_str());

    auto files = write_copy(root, group, extension);
    if (!files) return std::unexpected(files.error());
    for (win::TempPath& file : collected) files->push_back(std::move(file));
    return std::move(*files);
}

PatchResult patch_any(const ProjectPath& project, std::optional<catalogue::Platform> platform, const BuildOptions& options,
                      const GroupChain& chain) {
    const std::wstring extension(win::file_extension(project.path));
    if (text::equal_ignore_ascii_case(extension, L"groupproj")) return patch_group(project, platform, options, extension, chain);
    if (text::equal_ignore_ascii_case(extension, L"dproj") || text::equal_ignore_ascii_case(extension, L"cbproj"))
        return patch_project_file(project, platform, options, extension);
    return std::nullopt;
}

}  // namespace

PatchResult patch_project(const ProjectPath& project, std::optional<catalogue::Platform> platform,
                          const BuildOptions& options) {
    return patch_any(project, platform, options, {});
}

}  // namespace kestrune::build::patcher
