#include "backends/patcher/project_path.hpp"

#include <gtest/gtest.h>

#include "backends/patcher/project_group.hpp"
#include "scratch_directory.hpp"
#include "win/path.hpp"
#include "win/utf.hpp"

namespace kestrune::backends::patcher {
namespace {

TEST(ProjectPathParts, EffectivePathJoinsOnlyRelativePathsOntoTheBase) {
    struct Case {
        ProjectPath project;
        std::wstring effective;
    };
    const Case cases[] = {
        {{L"App.dproj", std::nullopt}, L"App.dproj"},
        {{L"App.dproj", L""}, L"App.dproj"},
        {{L"..\\App.dproj", L"groups"}, L"groups\\..\\App.dproj"},
        {{L"C:\\src\\App.dproj", L"groups"}, L"C:\\src\\App.dproj"},
        {{L"\\\\server\\share\\App.dproj", L"groups"}, L"\\\\server\\share\\App.dproj"},
        {{L"App.dproj", L"C:\\"}, L"C:\\App.dproj"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.project.effective_path(), c.effective) << win::to_utf8(c.project.path());
}

// Members written with a leading backslash, or with a drive and no root, are found where the
// system finds them, not below the group's directory.
TEST(ProjectPathParts, GroupMembersWithARootOrABareDriveArePatched) {
    constexpr std::string_view patchable = R"(<Project>
    <PropertyGroup><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>
    <PropertyGroup Condition="'$(Base)'!=''"/>
</Project>)";
    scratch::Directory dir;
    const scratch::CurrentDirectory cwd{dir.path()};
    const std::wstring root = dir.path();
    const std::wstring drive(win::path_prefix(root));
    ASSERT_FALSE(drive.empty()) << win::to_utf8(root);
    dir.write("Shared\\Lib.dproj", patchable);
    dir.write("Shared\\App.dproj", patchable);
    // \...\Shared\Lib.dproj on the group's drive, and C:Shared\App.dproj below that drive's current directory.
    const std::string rooted = win::to_utf8(root.substr(drive.size())) + "\\Shared\\Lib.dproj";
    const std::string drive_relative = win::to_utf8(drive) + "Shared\\App.dproj";
    dir.write("grp\\All.groupproj", "<Project><ItemGroup><Projects Include=\"" + rooted + "\"/><Projects Include=\"" +
                                        drive_relative + "\"/></ItemGroup></Project>");

    BuildOptions options;
    options.config = "Release";
    const auto result = patch_project({root + L"\\grp\\All.groupproj", std::nullopt}, std::nullopt, options);
    ASSERT_TRUE(result && *result) << (result ? "no copy" : result.error().message());
    const PatchedCopy& group = **result;
    ASSERT_EQ(group.members.size(), 2u);
    for (const PatchedCopy& member : group.members) {
        const std::wstring& copy = member.copy.path();
        EXPECT_EQ(win::parent_directory(copy), root + L"\\Shared") << win::to_utf8(copy);
        EXPECT_TRUE(member.members.empty());
    }
    EXPECT_EQ(win::file_stem(win::file_stem(group.members[0].copy.path())), L"Lib");
    EXPECT_EQ(win::file_stem(win::file_stem(group.members[1].copy.path())), L"App");
}

}  // namespace
}  // namespace kestrune::backends::patcher
