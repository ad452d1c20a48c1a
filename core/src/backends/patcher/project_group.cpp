#include "backends/patcher/project_group.hpp"

#include <algorithm>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "backends/msbuild_escape.hpp"
#include "backends/patcher/project_file.hpp"
#include "backends/patcher/project_io.hpp"
#include "backends/patcher/project_xml.hpp"
#include "backends/patcher/request.hpp"
#include "text/text.hpp"
#include "win/path.hpp"
#include "win/utf.hpp"

namespace kestrune::backends::patcher {
namespace {

// A member of a group: its Include attribute, and the copy planned for it (an index into the
// plans), when it gets one.
struct Member {
    pugi::xml_attribute include;
    std::optional<std::size_t> copy;
};

// A copy to be written: the project or group it copies and the tree that goes into it; a
// group's copy also lists its members.
struct Plan {
    ProjectPath project;
    std::unique_ptr<pugi::xml_document> document;
    std::vector<Member> members;
};

// A group whose members are being planned.
struct OpenGroup {
    Plan plan;
    std::wstring absolute;  // to tell a group that lists itself
    std::wstring dir;       // what its members' paths are relative to
    pugi::xml_node next;    // the next child of its ItemGroup to look at
};

bool is_group(std::wstring_view extension) { return text::equal_ignore_ascii_case(extension, L"groupproj"); }
bool is_project_file(std::wstring_view extension) {
    return text::equal_ignore_ascii_case(extension, L"dproj") || text::equal_ignore_ascii_case(extension, L"cbproj");
}

// Plans every copy of a project and, for a group, of its members at any depth before any is
// written. Groups are walked with a stack of their own rather than by recursion, so that a
// chain of groups cannot exhaust the program's stack.
class Planner {
public:
    explicit Planner(const Request& request) : request_(request) {}

    // The index of the project's own plan; none when it gets no copy.
    std::expected<std::optional<std::size_t>, ProjectError> run(const ProjectPath& project) {
        auto top = start(project);
        if (!top || open_.empty()) return top;
        for (;;) {
            OpenGroup& group = open_.back();
            pugi::xml_node member = group.next;
            while (member && !(is_element(member, "Projects") && member.attribute("Include"))) member = member.next_sibling();
            if (!member) {
                const std::optional<std::size_t> copy = finish(group);
                open_.pop_back();
                if (open_.empty()) return copy;
                open_.back().plan.members.back().copy = copy;
                continue;
            }
            group.next = member.next_sibling();
            const pugi::xml_attribute include = member.attribute("Include");
            group.plan.members.push_back({include, std::nullopt});
            const std::size_t depth = open_.size();
            auto copy = start({win::to_wide(include.value()), group.dir});
            if (!copy) return copy;
            // A member group that was opened reports its copy when it is finished.
            if (open_.size() == depth) open_.back().plan.members.back().copy = *copy;
        }
    }

    // Members before the groups that list them; the project's own plan last.
    std::vector<Plan> plans;

private:
    // A project file is planned at once; a group is opened, to be planned member by member.
    std::expected<std::optional<std::size_t>, ProjectError> start(const ProjectPath& project) {
        const std::wstring extension(win::file_extension(project.path()));
        // A member's refusal names its group by the group's effective path.
        const std::wstring* group = open_.empty() ? nullptr : &open_.back().plan.project.effective_path();
        if (is_group(extension)) return open_group(project);
        if (!request_.asked()) return std::nullopt;
        if (!is_project_file(extension))
            return std::unexpected(request_.refusal(
                project, group, "not a project file that a patched copy can be made of (.dproj, .cbproj or .groupproj)"));
        auto document = plan_project_file(project, request_, group);
        if (!document) return std::unexpected(std::move(document.error()));
        plans.push_back({project, std::move(*document), {}});
        return plans.size() - 1;
    }

    // Read even when nothing is asked for, so that a missing or broken group is always reported.
    std::expected<std::optional<std::size_t>, ProjectError> open_group(const ProjectPath& project) {
        const std::wstring& path = project.effective_path();
        if (open_.size() == max_group_depth)
            return std::unexpected(ProjectError::refused("project groups nested deeper than " + std::to_string(max_group_depth) +
                                                         " levels: \"" + win::to_utf8(path) + "\""));
        auto document = std::make_unique<pugi::xml_document>();
        if (auto loaded = load_project(path, *document); !loaded) return std::unexpected(loaded.error());
        // A group that lists itself, directly or through its members, would be patched without
        // end; the repeated one is left to the IDE as it is.
        std::wstring absolute = win::absolute_path(path).value_or(path);
        const auto same = [&](const OpenGroup& open) { return text::equal_ignore_ascii_case(open.absolute, absolute); };
        if (std::any_of(open_.begin(), open_.end(), same)) return std::nullopt;

        const pugi::xml_node item_group = first_child_element(document->document_element(), "ItemGroup");
        if (!item_group) return std::nullopt;
        std::wstring dir = win::parent_directory(path).value_or(std::wstring());
        open_.push_back({{project, std::move(document), {}}, std::move(absolute), std::move(dir), item_group.first_child()});
        return std::nullopt;
    }

    // A group gets a copy when a member does; otherwise the group file itself is built.
    std::optional<std::size_t> finish(OpenGroup& group) {
        const auto& members = group.plan.members;
        if (std::none_of(members.begin(), members.end(), [](const Member& m) { return m.copy.has_value(); })) return std::nullopt;
        plans.push_back(std::move(group.plan));
        return plans.size() - 1;
    }

    const Request& request_;
    std::vector<OpenGroup> open_;  // the groups being planned, outermost first
};

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

// The group's own targets build the original members; bds.exe is to build the copies. Each
// member gets a target of its own, and Build calls them in member order.
void point_to_copies(pugi::xml_node root, const std::vector<Member>& members, const std::vector<PatchedCopy>& written) {
    remove_elements(root, {"Target"});
    std::vector<std::string> taken{"build"};
    std::string build_targets;
    for (const Member& member : members) {
        pugi::xml_attribute include = member.include;
        std::string entry = include.value();
        if (member.copy) {
            entry = win::to_utf8(written[*member.copy].copy.path());
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

// Writes the copies, members before their groups; a failure deletes every copy written so far.
std::expected<PatchedCopy, ProjectError> write_plans(std::vector<Plan>& plans) {
    std::vector<PatchedCopy> written(plans.size());
    for (std::size_t i = 0; i < plans.size(); ++i) {
        Plan& plan = plans[i];
        const pugi::xml_node root = plan.document->document_element();
        if (!plan.members.empty()) point_to_copies(root, plan.members, written);
        auto copy = write_copy(root, plan.project);
        if (!copy) return std::unexpected(std::move(copy.error()));
        for (const Member& member : plan.members)
            if (member.copy) copy->members.push_back(std::move(written[*member.copy]));
        written[i] = std::move(*copy);
    }
    return std::move(written.back());
}

}  // namespace

PatchResult patch_project(const ProjectPath& project, std::optional<catalogue::Platform> platform,
                          const BuildOptions& options) {
    const Request request(platform, options);
    Planner planner(request);
    auto top = planner.run(project);
    if (!top) return std::unexpected(std::move(top.error()));
    if (!*top) return std::nullopt;
    if (auto held = refuse_what_xml_cannot_hold(options); !held) return std::unexpected(std::move(held.error()));
    return write_plans(planner.plans);
}

}  // namespace kestrune::backends::patcher
