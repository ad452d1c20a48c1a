#include "msbuild/patcher/project_path.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::msbuild::patcher {
namespace {

TEST(ProjectPathParts, StemExtensionAndDirectory) {
    struct Case {
        std::wstring path, stem, extension, parent;
    };
    const Case cases[] = {
        {L"Project1.dproj", L"Project1", L"dproj", L""},
        {L"My.App.dproj", L"My.App", L"dproj", L""},
        {L"src\\Lib.Core.DPROJ", L"Lib.Core", L"DPROJ", L"src"},
        {L"C:\\work\\All.groupproj", L"All", L"groupproj", L"C:\\work"},
        {L"C:\\All.groupproj", L"All", L"groupproj", L"C:\\"},
        {L"a/b//c.cbproj", L"c", L"cbproj", L"a/b"},
        {L"\\\\server\\share\\p.dproj", L"p", L"dproj", L"\\\\server\\share"},
        {L"Project1", L"Project1", L"", L""},
        {L"dir\\.dproj", L".dproj", L"", L"dir"},
        {L"dir\\.x.dproj", L".x", L"dproj", L"dir"},
        {L"name.", L"name", L"", L""},
        {L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        const std::string what = win::to_utf8(c.path);
        EXPECT_EQ(file_stem(c.path), c.stem) << what;
        EXPECT_EQ(file_extension(c.path), c.extension) << what;
        EXPECT_EQ(parent_dir(c.path), c.parent) << what;
    }
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
