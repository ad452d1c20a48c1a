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

TEST(ResolvePath, FollowsTheWindowsRulesForTheBase) {
    struct Case {
        std::wstring_view base, path, resolved;
    };
    const Case cases[] = {
        {L"C:\\work\\grp", L"App.dproj", L"C:\\work\\grp\\App.dproj"},
        {L"C:\\work\\grp\\", L"lib/App.dproj", L"C:\\work\\grp\\lib/App.dproj"},
        {L"grp", L"..\\App.dproj", L"grp\\..\\App.dproj"},  // "." and ".." stay as written
        {L"", L"App.dproj", L"App.dproj"},
        {L"C:\\work", L"", L"C:\\work"},
        // A drive or share replaces the base, with a root or without one.
        {L"C:\\work", L"D:\\lib\\App.dproj", L"D:\\lib\\App.dproj"},
        {L"C:\\work", L"\\\\server\\share\\App.dproj", L"\\\\server\\share\\App.dproj"},
        {L"C:\\work", L"\\\\?\\D:\\App.dproj", L"\\\\?\\D:\\App.dproj"},
        {L"C:\\work", L"D:rel\\App.dproj", L"D:rel\\App.dproj"},
        {L"C:\\work", L"D:", L"D:"},
        // A leading separator keeps only the base's drive or share.
        {L"C:\\work\\grp", L"\\Shared\\Lib.dproj", L"C:\\Shared\\Lib.dproj"},
        {L"\\\\server\\share\\grp", L"/Shared/Lib.dproj", L"\\\\server\\share/Shared/Lib.dproj"},
        {L"grp", L"\\Shared\\Lib.dproj", L"\\Shared\\Lib.dproj"},
        {L"D:rel", L"\\Lib.dproj", L"D:\\Lib.dproj"},
        // After a bare drive a separator would name the drive's root, not its current directory.
        {L"D:", L"Lib.dproj", L"D:Lib.dproj"},
        {L"D:rel", L"Lib.dproj", L"D:rel\\Lib.dproj"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolve_path(c.base, c.path), c.resolved) << to_utf8(c.base) << " + " << to_utf8(c.path);
}

}  // namespace
}  // namespace kestrune::win
