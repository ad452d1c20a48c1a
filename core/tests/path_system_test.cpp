#include "win/path.hpp"

#include <gtest/gtest.h>

#include "scratch_directory.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

// The system reads a path only up to its first NUL; a path cut short there would name its
// existing parent instead.
TEST(PathExists, FilesAndDirectoriesExistAPathWithANulInsideNever) {
    const scratch::Directory tree;
    tree.write("bin\\DCC32.exe");
    const std::wstring root = tree.path();
    const std::wstring tool = root + L"\\bin\\DCC32.exe";
    for (const std::wstring& path : {root, root + L"\\", root + L"\\bin", tool}) {
        EXPECT_TRUE(path_exists(path)) << to_utf8(path);
        EXPECT_TRUE(path_exists(to_utf8(path))) << to_utf8(path);
    }
    using namespace std::string_literals;
    const std::wstring absent[] = {
        root + L"\\\0junk"s,  // cut short at the NUL it would be the root
        root + L"\\\0junk\\bin\\DCC32.exe"s,
        tool + L"\0"s,
        L"\0"s + tool,
        root + L"\\missing"s,
        L""s,
    };
    for (const std::wstring& path : absent) {
        EXPECT_FALSE(path_exists(path)) << to_utf8(path);
        EXPECT_FALSE(path_exists(to_utf8(path))) << to_utf8(path);
    }
}

TEST(AbsolutePath, JoinsARelativePathOfAnyLengthToTheCurrentDirectory) {
    const scratch::Directory dir;
    const scratch::CurrentDirectory cwd(dir.path());
    std::wstring relative;
    while (relative.size() <= 2 * MAX_PATH) relative += std::wstring(60, L'r') + L"\\";
    relative += L"file.txt";
    EXPECT_EQ(absolute_path(relative), dir.path() + L"\\" + relative);
    EXPECT_EQ(absolute_path(L"a\\..\\b"), dir.path() + L"\\b");
}

}  // namespace
}  // namespace kestrune::win
