#include "backends/patcher/project_group.hpp"

#include <algorithm>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "backends/patcher/group_targets.hpp"
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
        auto document = std::make_unique<pugi::xml_document>();
        if (auto loaded = load_project(project.effective_path(), *document); !loaded) return std::unexpected(loaded.error());
        if (auto patched = patch_project_file(document->document_element(), project, request_, group); !patched)
            return std::unexpected(std::move(patched.error()));
        plans.push_back({project, std::move(document), {}});
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

// Writes the copies, members before their groups; a failure deletes every copy written so far.
std::expected<PatchedCopy, ProjectError> write_plans(std::vector<Plan>& plans) {
    std::vector<PatchedCopy> written(plans.size());
    for (std::size_t i = 0; i < plans.size(); ++i) {
        Plan& plan = plans[i];
        const pugi::xml_node root = plan.document->document_element();
        if (!plan.members.empty()) {
            std::vector<GroupMember> entries;
            for (const Member& member : plan.members) {
                entries.push_back({member.include, std::nullopt});
                if (member.copy) entries.back().copy = win::to_utf8(written[*member.copy].copy.path());
            }
            point_to_copies(root, entries);
        }
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
