#include "msbuild/patcher/project_path.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::msbuild::patcher {
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
    for (const Case& c : cases) EXPECT_EQ(c.project.effective_path(), c.effective) << win::to_utf8(c.project.path);
}

}  // namespace
}  // namespace kestrune::msbuild::patcher
