#include "msbuild/patcher/project_path.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::msbuild::patcher {
namespace {

TEST(ProjectPathParts, ParentDirectory) {
    struct Case {
        std::wstring path, parent;
    };
    const Case cases[] = {
        {L"Project1.dproj", L""},
        {L"src\\Lib.Core.DPROJ", L"src"},
        {L"C:\\work\\All.groupproj", L"C:\\work"},
        {L"C:\\All.groupproj", L"C:\\"},
        {L"a/b//c.cbproj", L"a/b"},
        {L"\\\\server\\share\\p.dproj", L"\\\\server\\share"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(parent_dir(c.path), c.parent) << win::to_utf8(c.path);
}

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
    for (const Case& c : cases) EXPECT_EQ(c.project.effective_path(), c.effective) << win::to_utf8(c.project.path);
}

}  // namespace
}  // namespace kestrune::msbuild::patcher
