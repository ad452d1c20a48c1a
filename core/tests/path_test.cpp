#include "win/path.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::win {
namespace {

TEST(PathParts, PrefixFileNameStemAndExtension) {
    struct Case {
        std::wstring_view path, prefix, stem, extension;
    };
    const Case cases[] = {
        {L"Project1.dproj", L"", L"Project1", L"dproj"},
        {L"My.App.dproj", L"", L"My.App", L"dproj"},
        {L"src\\Lib.Core.DPROJ", L"", L"Lib.Core", L"DPROJ"},
        {L"C:\\work\\All.groupproj", L"C:", L"All", L"groupproj"},
        {L"D:Pkg.dpk", L"D:", L"Pkg", L"dpk"},
        {L"a/b//c.cbproj", L"", L"c", L"cbproj"},
        {L"\\\\server\\share\\p.dproj", L"\\\\server\\share", L"p", L"dproj"},
        {L"\\\\?\\C:\\x\\p.dpk", L"\\\\?\\C:", L"p", L"dpk"},
        {L"Project1", L"", L"Project1", L""},
        {L"dir\\.dproj", L"", L".dproj", L""},
        {L"dir\\.x.dproj", L"", L".x", L"dproj"},
        {L"name.", L"", L"name", L""},
        {L"src\\Pkg.dpk\\", L"", L"Pkg", L"dpk"},  // separators at the end name no component
        {L"src\\.", L"", L"src", L""},             // "." is the directory itself
        {L"src\\..\\Pkg.dpk", L"", L"Pkg", L"dpk"},
        // No file name at all.
        {L"", L"", L"", L""},
        {L".", L"", L"", L""},
        {L"..", L"", L"", L""},
        {L"src\\..", L"", L"", L""},
        {L"C:\\", L"C:", L"", L""},
        {L"\\", L"", L"", L""},
        {L"\\\\server\\share\\", L"\\\\server\\share", L"", L""},
    };
    for (const Case& c : cases) {
        const std::string what = to_utf8(c.path);
        EXPECT_EQ(path_prefix(c.path), c.prefix) << what;
        EXPECT_EQ(file_stem(c.path), c.stem) << what;
        EXPECT_EQ(file_extension(c.path), c.extension) << what;
    }
}

TEST(Path, ParentDirectoryKeepsTheRoot) {
    struct Case {
        std::wstring_view path;
        std::optional<std::wstring> parent;
    } cases[] = {
        {L"C:\\tools\\kestrune.exe", L"C:\\tools"},
        {L"C:\\kestrune.exe", L"C:\\"},
        {L"Z:\\a\\\\b\\", L"Z:\\a"},
        {L"\\\\server\\share\\k.exe", L"\\\\server\\share\\"},
        {L"\\k.exe", L"\\"},
        {L"dir/k.exe", L"dir"},
        {L"a/b//c.cbproj", L"a/b"},
        {L"src\\Lib.Core.DPROJ", L"src"},
        {L"k.exe", std::nullopt},
        {L"C:\\", std::nullopt},
        {L"\\\\server\\share", std::nullopt},
        {L"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parent_directory(c.path), c.parent) << std::wstring(c.path).size();
}

TEST(Path, AbsoluteNeedsADriveOrShareAndARoot) {
    for (std::wstring_view path : {L"C:\\x", L"c:/x", L"\\\\server\\share", L"\\\\?\\C:\\x"})
        EXPECT_TRUE(is_absolute_path(path)) << to_utf8(path);
    for (std::wstring_view path : {L"C:x", L"C:", L"\\x", L"x\\y", L"", L"1:\\x"})
        EXPECT_FALSE(is_absolute_path(path)) << to_utf8(path);
}

}  // namespace
}  // namespace kestrune::win
