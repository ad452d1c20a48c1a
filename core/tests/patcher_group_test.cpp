#include "build/patcher/project_group.hpp"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <regex>

#include "project_files.hpp"
#include "win/path.hpp"

namespace kestrune::build::patcher {
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

// A copy lies in the directory and is named after the stem with six random characters.
void expect_copy_name(const win::TempPath& path, const std::wstring& dir, const std::string& stem, const std::string& ext) {
    EXPECT_EQ(win::parent_directory(path.path()), dir) << utf8(path);
    const std::string name = win::to_utf8(path.path().substr(std::min(dir.size() + 1, path.path().size())));
    EXPECT_TRUE(std::regex_match(name, std::regex(stem + R"(\.[A-Za-z0-9]{6}\.)" + ext))) << name;
}

class PatchProject : public testing::Test {
protected:
    scratch::ProjectDir dir;
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
        bool copy;
    };
    const Case cases[] = {
        {"All.GROUPPROJ", group_of({"m.dproj"}), true},
        {"App.DProj", std::string(patchable), true},
        {"Cpp.CBPROJ", std::string(patchable), true},
        {"Project1", std::string(patchable), false},
        {".dproj", std::string(patchable), false},
        {"notes.txt", "not xml at all", false},
    };
    for (const Case& c : cases) {
        const auto result = patch(dir.write(c.name, c.content));
        ASSERT_TRUE(result) << c.name << ": " << result.error().message();
        EXPECT_EQ(result->has_value(), c.copy) << c.name;
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

TEST_F(PatchProject, AGroupWithOnePatchedMemberGetsItsOwnTargets) {
    options.config = "Release";
    dir.write("App.dproj", patchable);
    dir.write("lib\\Lib.Core.dproj", unpatchable);
    dir.write("All.groupproj", group_of({"App.dproj", "<Other Include=\"skipped.dproj\"/>", "<Projects/>", "lib\\Lib.Core.dproj"},
                                        "<ProjectExtensions><Hidden><Target Name=\"deep\"/></Hidden></ProjectExtensions>\n"
                                        "<Target Name=\"App\"><MSBuild Projects=\"App.dproj\"/></Target>\n"
                                        "<Target Name=\"Build\"><CallTarget Targets=\"App\"/></Target>\n"
                                        "<Import Project=\"$(BDS)\\Bin\\CodeGear.Group.Targets\"/>\n"));
    auto result = patch(L"All.groupproj");
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    auto& files = **result;
    ASSERT_EQ(files.size(), 4u);
    expect_copy_name(files[0], dir.path().wstring(), "All", "groupproj");
    EXPECT_EQ(files[1].path(), files[0].path() + L".local");
    expect_copy_name(files[2], dir.path().wstring(), "App", "dproj");
    EXPECT_EQ(files[3].path(), files[2].path() + L".local");

    pugi::xml_document group;
    load(files[0], group);
    const pugi::xml_node root = group.document_element();
    const std::string app_copy = utf8(files[2]);
    const std::string app_target = "App_" + app_copy.substr(app_copy.size() - 12, 6);
    std::vector<std::string> includes, children, targets;
    for (pugi::xml_node member : root.child("ItemGroup").children())
        includes.push_back(std::string(member.name()) + " " + member.attribute("Include").value());
    for (pugi::xml_node child : root.children()) children.emplace_back(child.name());
    for (pugi::xml_node target : root.children("Target"))
        targets.push_back(std::string(target.attribute("Name").value()) + " -> " +
                          target.child("MSBuild").attribute("Projects").value() +
                          target.child("CallTarget").attribute("Targets").value());
    EXPECT_EQ(includes, (std::vector<std::string>{"Projects " + app_copy, "Other skipped.dproj", "Projects ",
                                                  "Projects lib\\Lib.Core.dproj"}));
    EXPECT_EQ(children, (std::vector<std::string>{"ItemGroup", "ProjectExtensions", "Import", "Target", "Target", "Target"}));
    EXPECT_FALSE(root.child("ProjectExtensions").child("Hidden").child("Target"));
    EXPECT_EQ(targets, (std::vector<std::string>{app_target + " -> " + app_copy, "Lib_Core -> lib\\Lib.Core.dproj",
                                                 "Build -> " + app_target + ";Lib_Core"}));

    files.clear();
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"All.groupproj", "App.dproj", "lib\\Lib.Core.dproj"}));
}

TEST_F(PatchProject, MembersOfANestedGroupAreFoundFromItsOwnDirectory) {
    options.preferred_tool_architecture = catalogue::Architecture::x64;
    dir.write("All.groupproj", group_of({"nested\\Inner.groupproj"}));
    dir.write("nested\\Inner.groupproj", group_of({"app\\App.cbproj"}));
    dir.write("nested\\app\\App.cbproj", patchable);
    auto result = patch(L"All.groupproj");
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    auto& files = **result;
    ASSERT_EQ(files.size(), 6u);
    expect_copy_name(files[0], dir.path().wstring(), "All", "groupproj");
    expect_copy_name(files[2], (dir.path() / L"nested").wstring(), "Inner", "groupproj");
    expect_copy_name(files[4], (dir.path() / L"nested\\app").wstring(), "App", "cbproj");
    for (std::size_t i : {1u, 3u, 5u}) EXPECT_EQ(files[i].path(), files[i - 1].path() + L".local");

    pugi::xml_document outer, inner;
    load(files[0], outer);
    load(files[2], inner);
    EXPECT_EQ(outer.document_element().child("ItemGroup").child("Projects").attribute("Include").value(), utf8(files[2]));
    EXPECT_EQ(inner.document_element().child("ItemGroup").child("Projects").attribute("Include").value(), utf8(files[4]));

    files.clear();
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
    auto& files = **result;
    ASSERT_EQ(files.size(), 6u);  // A, B and App, each with its companion
    pugi::xml_document b;
    load(files[2], b);
    std::vector<std::string> includes;
    for (pugi::xml_node member : b.document_element().child("ItemGroup").children("Projects"))
        includes.emplace_back(member.attribute("Include").value());
    EXPECT_EQ(includes, (std::vector<std::string>{"..\\A.groupproj", utf8(files[4]), "C.GroupProj"}));
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
}  // namespace kestrune::build::patcher
