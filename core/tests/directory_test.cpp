#include "win/directory.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "scratch_directory.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

TEST(CreateDirectories, MakesMissingParentsAndAcceptsWhatExists) {
    const scratch::Directory tree;
    const scratch::CurrentDirectory cwd(tree.path());
    for (const wchar_t* path : {L"a\\b\\c", L"a\\b\\c", L"a/d/", L"a", L""}) {
        const auto made = create_directories(path);
        EXPECT_TRUE(made) << to_utf8(path) << ": " << made.error().message();
    }
    EXPECT_TRUE(std::filesystem::is_directory(tree / L"a\\b\\c"));
    EXPECT_TRUE(std::filesystem::is_directory(tree / L"a\\d"));
    const auto absolute = create_directories(tree.path() + L"\\x\\y");
    EXPECT_TRUE(absolute);
    EXPECT_TRUE(std::filesystem::is_directory(tree / L"x\\y"));
}

TEST(CreateDirectories, FailsWhereAFileStands) {
    const scratch::Directory tree;
    tree.write("f");
    for (const std::wstring& path : {tree.path() + L"\\f", tree.path() + L"\\f\\sub\\dir"}) {
        const auto made = create_directories(path);
        ASSERT_FALSE(made) << to_utf8(path);
        EXPECT_TRUE(made.error().code().has_value());
    }
}

// The error is the creation's own, not that of the check for an existing directory after it
// (which finds nothing and would say "file not found").
TEST(CreateDirectories, ReportsWhyTheDirectoryCannotBeMade) {
    // Under Wine, Z: is the Unix root, whose /sys refuses new directories even to root.
    const bool under_wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (!under_wine || !std::filesystem::is_directory(L"Z:\\sys")) GTEST_SKIP() << "needs a directory that refuses children";
    for (const wchar_t* path : {L"Z:\\sys\\kestrune-denied", L"Z:\\sys\\kestrune-denied\\sub"}) {
        const auto made = create_directories(path);
        ASSERT_FALSE(made) << to_utf8(path);
        EXPECT_EQ(made.error().code(), std::optional<DWORD>(ERROR_ACCESS_DENIED)) << to_utf8(path);
    }
}

TEST(CurrentDirectory, IsReadHoweverLongItIs) {
    const scratch::Directory tree;
    std::filesystem::path deep = tree.path();
    while (deep.wstring().size() <= 2 * MAX_PATH) deep /= std::wstring(60, L'd');
    std::filesystem::create_directories(deep);
    const scratch::CurrentDirectory cwd(deep);
    EXPECT_EQ(current_directory(), deep.wstring());
}

}  // namespace
}  // namespace kestrune::win
