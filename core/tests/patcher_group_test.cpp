#include "backends/patcher/project_group.hpp"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <regex>
#include <set>

#include "scratch_directory.hpp"
#include "text/text.hpp"
#include "win/path.hpp"

namespace kestrune::backends::patcher {
namespace {

// A member that a configuration turns into a copy.
constexpr std::string_view patchable = R"(<Project>
    <PropertyGroup><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>
    <PropertyGroup Condition="'$(Base)'!=''"/>
</Project>)";
// A member without a base group, which is built as it is.
constexpr std::string_view unpatchable = "<Project><PropertyGroup><Config>Debug</Config></PropertyGroup></Project>";

// A group file listing the members; an entry that starts with "<" is put into the ItemGroup as it is.
std::string group_of(std::initializer_list<std::string_view> includes, std::string_view extra = {}) {
    std::string xml = "<Project xmlns=\"urn:msbuild\">\n<ItemGroup>\n";
    for (const std::string_view include : includes)
        xml += include.starts_with('<') ? std::string(include) + "\n"
                                        : "<Projects Include=\"" + std::string(include) + "\"><Dependencies/></Projects>\n";
    return xml + "</ItemGroup>\n" + std::string(extra) + "</Project>";
}

std::string utf8(const win::TempPath& path) { return win::to_utf8(path.path()); }

// Every copy of a patch, a group's before its members', and how many there are.
std::size_t count_copies(const PatchedCopy& top) {
    std::size_t count = 1;
    for (const PatchedCopy& member : top.members) count += count_copies(member);
    return count;
}

// Each copy has its companion beside it: the copy's name with ".local" added.
void expect_companions(const PatchedCopy& top) {
    EXPECT_EQ(top.companion.path(), top.copy.path() + L".local");
    for (const PatchedCopy& member : top.members) expect_companions(member);
}

// A copy lies in the directory and is named after the stem with six random characters.
void expect_copy_name(const win::TempPath& path, const std::wstring& dir, const std::string& stem, const std::string& ext) {
    EXPECT_EQ(win::parent_directory(path.path()), dir) << utf8(path);
    const std::string name = win::to_utf8(path.path().substr(std::min(dir.size() + 1, path.path().size())));
    EXPECT_TRUE(std::regex_match(name, std::regex(stem + R"(\.[A-Za-z0-9]{6}\.)" + ext))) << name;
}

class PatchProject : public testing::Test {
protected:
    scratch::Directory dir;
    scratch::CurrentDirectory cwd{dir.path()};
    BuildOptions options;

    PatchResult patch(const std::wstring& path) { return patch_project({path, std::nullopt}, std::nullopt, options); }

    // Parses a written copy.
    static void load(const win::TempPath& path, pugi::xml_document& document) {
        ASSERT_TRUE(document.load_file(path.path().c_str())) << utf8(path);
    }
};

TEST_F(PatchProject, ChoosesByExtensionIgnoringCase) {
    options.config = "Release";
    dir.write("m.dproj", patchable);
    struct Case {
        std::string name;
        std::string content;
    };
    const Case patched[] = {
        {"All.GROUPPROJ", group_of({"m.dproj"})},
        {"App.DProj", std::string(patchable)},
        {"Cpp.CBPROJ", std::string(patchable)},
    };
    for (const Case& c : patched) {
        const auto result = patch(dir.write(c.name, c.content));
        ASSERT_TRUE(result) << c.name << ": " << result.error().message();
        EXPECT_TRUE(result->has_value()) << c.name;
    }
    // bds.exe would build these with their saved settings: what was asked for is refused. A
    // batch file's "%PROJ%" may end in a blank, which Windows drops when it opens the file.
    dir.write("App.dproj", patchable);
    for (const std::wstring path : {L"App.dproj ", L"Project1", L".dproj", L"notes.txt", L"App.dpr"}) {
        const auto result = patch(path);
        ASSERT_FALSE(result) << win::to_utf8(path);
        EXPECT_EQ(result.error().kind(), ProjectError::Kind::Refused);
        EXPECT_EQ(result.error().message(), "cannot apply --config to \"" + win::to_utf8(path) +
                                                "\": not a project file that a patched copy can be made of "
                                                "(.dproj, .cbproj or .groupproj)");
    }
    // Without anything to apply, any file is built as it is, unread.
    options.config.reset();
    for (const std::wstring path : {L"App.dpr", L"missing.dproj", L"App.dproj "}) {
        const auto result = patch(path);
        ASSERT_TRUE(result) << win::to_utf8(path) << ": " << result.error().message();
        EXPECT_FALSE(*result) << win::to_utf8(path);
    }
}

TEST_F(PatchProject, TheGroupFileIsReadEvenWhenNothingIsAskedFor) {
    const auto missing = patch(L"All.groupproj");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind(), ProjectError::Kind::Io);

    const auto malformed = patch(dir.write("Bad.groupproj", "<Project><ItemGroup></Project>"));
    ASSERT_FALSE(malformed);
    EXPECT_EQ(malformed.error().kind(), ProjectError::Kind::XmlParse);

    // Without a change to make, members and groups without an ItemGroup give no copy.
    dir.write("App.dproj", patchable);
    for (const std::string& content : {group_of({"App.dproj"}), std::string("<Project><PropertyGroup/></Project>")}) {
        const auto result = patch(dir.write("All.groupproj", content));
        ASSERT_TRUE(result) << result.error().message();
        EXPECT_FALSE(*result) << content;
    }
}

TEST_F(PatchProject, AGroupGetsTargetsOfItsOwnBuildingTheMembersCopies) {
    options.config = "Release";
    dir.write("App.dproj", patchable);
    dir.write("lib\\Lib.Core.dproj", patchable);
    dir.write("Empty.groupproj", "<Project/>");  // nothing in it to patch: built as it is
    dir.write("All.groupproj", group_of({"App.dproj", "<Other Include=\"skipped.dproj\"/>", "<Projects/>", "lib\\Lib.Core.dproj",
                                         "Empty.groupproj"},
                                        "<ProjectExtensions><Hidden><Target Name=\"deep\"/></Hidden></ProjectExtensions>\n"
                                        "<Target Name=\"App\"><MSBuild Projects=\"App.dproj\"/></Target>\n"
                                        "<Target Name=\"Build\"><CallTarget Targets=\"App\"/></Target>\n"
                                        "<Import Project=\"$(BDS)\\Bin\\CodeGear.Group.Targets\"/>\n"));
    auto result = patch(L"All.groupproj");
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    const PatchedCopy& top = **result;
    ASSERT_EQ(count_copies(top), 3u);
    ASSERT_EQ(top.members.size(), 2u);
    expect_copy_name(top.copy, dir.path(), "All", "groupproj");
    expect_copy_name(top.members[0].copy, dir.path(), "App", "dproj");
    expect_copy_name(top.members[1].copy, (dir / L"lib"), "Lib.Core", "dproj");
    expect_companions(top);

    pugi::xml_document group;
    load(top.copy, group);
    const pugi::xml_node root = group.document_element();
    const std::string app_copy = utf8(top.members[0].copy), lib_copy = utf8(top.members[1].copy);
    const std::string app_target = "App_" + app_copy.substr(app_copy.size() - 12, 6);
    const std::string lib_target = "Lib_Core_" + lib_copy.substr(lib_copy.size() - 12, 6);
    std::vector<std::string> includes, children, targets;
    for (pugi::xml_node member : root.child("ItemGroup").children())
        includes.push_back(std::string(member.name()) + " " + member.attribute("Include").value());
    for (pugi::xml_node child : root.children()) children.emplace_back(child.name());
    for (pugi::xml_node target : root.children("Target"))
        targets.push_back(std::string(target.attribute("Name").value()) + " -> " +
                          target.child("MSBuild").attribute("Projects").value() +
                          target.child("CallTarget").attribute("Targets").value());
    EXPECT_EQ(includes, (std::vector<std::string>{"Projects " + app_copy, "Other skipped.dproj", "Projects ",
                                                  "Projects " + lib_copy, "Projects Empty.groupproj"}));
    EXPECT_EQ(children, (std::vector<std::string>{"ItemGroup", "ProjectExtensions", "Import", "Target", "Target", "Target", "Target"}));
    EXPECT_FALSE(root.child("ProjectExtensions").child("Hidden").child("Target"));
    EXPECT_EQ(targets, (std::vector<std::string>{app_target + " -> " + app_copy, lib_target + " -> " + lib_copy,
                                                 "Empty -> Empty.groupproj",
                                                 "Build -> " + app_target + ";" + lib_target + ";Empty"}));

    result->reset();
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"All.groupproj", "App.dproj", "Empty.groupproj", "lib\\Lib.Core.dproj"}));
}

// A member that cannot carry the options would be built with its saved settings: the whole
// group is refused, naming the member and the group that lists it, before any copy is written.
TEST_F(PatchProject, AMemberThatCannotCarryTheOptionsRefusesTheGroup) {
    options.version_info.file_version = "2.0.0.0";
    dir.write("App.dproj", patchable);
    dir.write("nested\\Old.dproj", unpatchable);
    dir.write("nested\\Inner.groupproj", group_of({"..\\App.dproj", "Old.dproj"}));
    struct Case {
        std::string group;
        std::string refusal;
    };
    const Case cases[] = {
        {group_of({"App.dproj", "Tool.dpr"}),
         "cannot apply --FileVersion to \"Tool.dpr\", a member of \"All.groupproj\": not a project file that a patched copy "
         "can be made of (.dproj, .cbproj or .groupproj)"},
        {group_of({"App.dproj", "nested\\Inner.groupproj"}),
         "cannot apply --FileVersion to \"nested\\Old.dproj\", a member of \"nested\\Inner.groupproj\": no property group "
         "to carry the options: the project has no PropertyGroup with Condition=\"'$(Base)'!=''\""},
    };
    for (const Case& c : cases) {
        dir.write("All.groupproj", c.group);
        const auto result = patch(L"All.groupproj");
        ASSERT_FALSE(result) << c.group;
        EXPECT_EQ(result.error().kind(), ProjectError::Kind::Refused);
        EXPECT_EQ(result.error().message(), c.refusal);
        EXPECT_EQ(dir.files(), (std::vector<std::string>{"All.groupproj", "App.dproj", "nested\\Inner.groupproj",
                                                         "nested\\Old.dproj"}));
    }
    // Without anything to apply, the group is built as it is.
    options.version_info.file_version.reset();
    const auto unchanged = patch(L"All.groupproj");
    ASSERT_TRUE(unchanged) << unchanged.error().message();
    EXPECT_FALSE(*unchanged);
}

// MSBuild gives target names no letter case and refuses some characters in them, splits the
// task's Projects at ";" and reads "%41" and "$(X)" there: the copy's targets are distinct from
// each other and from Build whatever the members are called, and each reaches its path as
// written. Groups with nothing to patch keep their names.
TEST_F(PatchProject, MemberNamesCollideWithNoTargetAndReachMSBuildAsWritten) {
    options.config = "Release";
    const std::string odd = "x;y%41$(Z)\\My (old) App.dproj";
    dir.write(odd, patchable);
    const std::vector<std::string> empty_groups = {"Build.groupproj", "a\\Empty.groupproj", "b\\empty.groupproj",
                                                   "Empty_2.groupproj"};
    for (const std::string& member : empty_groups) dir.write(member, "<Project/>");
    dir.write("All.groupproj", group_of({odd, empty_groups[0], empty_groups[1], empty_groups[2], empty_groups[3]}));
    auto result = patch(L"All.groupproj");
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    const PatchedCopy& top = **result;
    ASSERT_EQ(count_copies(top), 2u);
    ASSERT_EQ(top.members.size(), 1u);
    pugi::xml_document group;
    load(top.copy, group);

    const auto unescape = [](std::string text) {
        for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
            text.replace(at, 3, 1, static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16)));
        return text;
    };
    std::vector<std::string> names, projects;
    std::string called;
    for (pugi::xml_node target : group.document_element().children("Target")) {
        names.emplace_back(target.attribute("Name").value());
        if (!target.child("MSBuild")) continue;
        projects.emplace_back(unescape(target.child("MSBuild").attribute("Projects").value()));
        EXPECT_EQ(std::string(target.child("MSBuild").attribute("Projects").value()).find_first_of(";$"), std::string::npos);
        called += (called.empty() ? "" : ";") + names.back();
    }
    const std::string member_copy = utf8(top.members[0].copy);
    EXPECT_EQ(projects, (std::vector<std::string>{member_copy, empty_groups[0], empty_groups[1], empty_groups[2],
                                                  empty_groups[3]}));
    const std::string random = member_copy.substr(member_copy.size() - 12, 6);
    EXPECT_EQ(names, (std::vector<std::string>{"My__old__App_" + random, "Build_2", "Empty", "empty_2",
                                               "Empty_2_2", "Build"}));
    EXPECT_EQ(group.document_element().last_child().child("CallTarget").attribute("Targets").value(), called);
}

TEST_F(PatchProject, MembersOfANestedGroupAreFoundFromItsOwnDirectory) {
    options.preferred_tool_architecture = catalogue::Architecture::x64;
    dir.write("All.groupproj", group_of({"nested\\Inner.groupproj"}));
    dir.write("nested\\Inner.groupproj", group_of({"app\\App.cbproj"}));
    dir.write("nested\\app\\App.cbproj", patchable);
    auto result = patch(L"All.groupproj");
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    const PatchedCopy& top = **result;
    ASSERT_EQ(count_copies(top), 3u);
    ASSERT_EQ(top.members.size(), 1u);
    ASSERT_EQ(top.members[0].members.size(), 1u);
    const PatchedCopy& inner_copy = top.members[0];
    const PatchedCopy& app_copy = inner_copy.members[0];
    expect_copy_name(top.copy, dir.path(), "All", "groupproj");
    expect_copy_name(inner_copy.copy, (dir / L"nested"), "Inner", "groupproj");
    expect_copy_name(app_copy.copy, (dir / L"nested\\app"), "App", "cbproj");
    expect_companions(top);

    pugi::xml_document outer, inner;
    load(top.copy, outer);
    load(inner_copy.copy, inner);
    EXPECT_EQ(outer.document_element().child("ItemGroup").child("Projects").attribute("Include").value(), utf8(inner_copy.copy));
    EXPECT_EQ(inner.document_element().child("ItemGroup").child("Projects").attribute("Include").value(), utf8(app_copy.copy));

    result->reset();
    EXPECT_EQ(dir.files().size(), 3u);
}

// Patching a group that lists itself would never end; the repeated group is built as it is.
TEST_F(PatchProject, AGroupThatListsItselfIsPatchedOnce) {
    options.config = "Release";
    dir.write("App.dproj", patchable);
    dir.write("A.groupproj", group_of({"sub\\B.groupproj"}));
    dir.write("sub\\B.groupproj", group_of({"..\\A.groupproj", "..\\App.dproj", "C.GroupProj"}));
    dir.write("sub\\C.GroupProj", group_of({}));
    auto result = patch(L"A.groupproj");
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    const PatchedCopy& a = **result;
    ASSERT_EQ(count_copies(a), 3u);  // A, B and App
    ASSERT_EQ(a.members.size(), 1u);
    ASSERT_EQ(a.members[0].members.size(), 1u);
    pugi::xml_document b;
    load(a.members[0].copy, b);
    std::vector<std::string> includes;
    for (pugi::xml_node member : b.document_element().child("ItemGroup").children("Projects"))
        includes.emplace_back(member.attribute("Include").value());
    EXPECT_EQ(includes, (std::vector<std::string>{"..\\A.groupproj", utf8(a.members[0].members[0].copy), "C.GroupProj"}));
}

// Groups nest as deep as elements do, and no deeper; a chain too deep is refused whole, before
// any copy is written.
TEST_F(PatchProject, GroupsNestToTheBound) {
    options.config = "Release";
    dir.write("App.dproj", patchable);
    const auto name = [](std::size_t n) { return "G" + std::to_string(n) + ".groupproj"; };
    for (std::size_t n = 1; n < max_group_depth; ++n) dir.write(name(n), group_of({name(n + 1)}));
    dir.write(name(max_group_depth), group_of({"App.dproj"}));
    {
        const auto result = patch(L"G1.groupproj");
        ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
        EXPECT_EQ(count_copies(**result), max_group_depth + 1);
    }
    dir.write(name(max_group_depth), group_of({name(max_group_depth + 1)}));
    dir.write(name(max_group_depth + 1), group_of({"App.dproj"}));
    const auto files_before = dir.files();
    const auto result = patch(L"G1.groupproj");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind(), ProjectError::Kind::Refused);
    EXPECT_EQ(result.error().message(), "project groups nested deeper than 1000 levels: \"" + name(max_group_depth + 1) + "\"");
    EXPECT_EQ(dir.files(), files_before);
}

TEST_F(PatchProject, AFailingMemberEndsTheCallAndItsPredecessorsCopiesAreDeleted) {
    options.config = "Release";
    dir.write("App.dproj", patchable);
    dir.write("Broken.dproj", "<Project>");
    dir.write("All.groupproj", group_of({"App.dproj", "Broken.dproj", "Never.dproj"}));
    const auto result = patch(L"All.groupproj");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind(), ProjectError::Kind::XmlParse);
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"All.groupproj", "App.dproj", "Broken.dproj"}));
}

}  // namespace
}  // namespace kestrune::backends::patcher
