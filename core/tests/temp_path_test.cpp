#include "win/temp_path.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "scratch_directory.hpp"

namespace kestrune::win {
namespace {


TEST(RandomName, DrawsSixAlphanumericCharacters) {
    const std::wregex six(L"[A-Za-z0-9]{6}");
    std::wstring previous;
    for (int i = 0; i < 20; ++i) {
        const auto name = random_name();
        ASSERT_TRUE(name);
        EXPECT_TRUE(std::regex_match(*name, six)) << to_utf8(*name);
        EXPECT_NE(*name, previous);
        previous = *name;
    }
    EXPECT_EQ(random_name(40).value().size(), 40u);
}

TEST(CreateTempFile, MakesAnEmptyFileThatItsOwnerDeletes) {
    const scratch::Directory dir;
    auto file = create_temp_file(dir.path(), L"Project1.", L".dproj");
    ASSERT_TRUE(file) << file.error().message();
    const std::wstring path = file->path.path();
    const std::wstring prefix = dir.path() + L"\\Project1.";
    ASSERT_EQ(path.size(), prefix.size() + 6 + 6) << to_utf8(path);
    EXPECT_TRUE(path.starts_with(prefix) && path.ends_with(L".dproj")) << to_utf8(path);
    EXPECT_TRUE(std::regex_match(path.substr(prefix.size(), 6), std::wregex(L"[A-Za-z0-9]{6}"))) << to_utf8(path);
    EXPECT_TRUE(file->handle);
    file->handle.reset();
    EXPECT_EQ(scratch::read_file(path), "");

    // Moving hands over the file; only the last owner deletes it.
    TempPath moved = std::move(file->path);
    EXPECT_TRUE(file->path.path().empty());
    EXPECT_TRUE(std::filesystem::exists(path));
    TempPath other = std::move(moved);
    EXPECT_TRUE(std::filesystem::exists(path));
    other = TempPath(dir.write("unrelated", "x"));
    EXPECT_FALSE(std::filesystem::exists(path));
    other.reset();
    EXPECT_EQ(dir.files(), std::vector<std::string>{});
}

TEST(CreateTempFile, EmptyDirectoryMeansTheCurrentOneAndThePathIsAbsolute) {
    const scratch::Directory dir;
    const scratch::CurrentDirectory cwd(dir.path());
    auto file = create_temp_file(L"", L".tmp", L"");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->path.path().rfind(dir.path() + L"\\.tmp", 0), 0u) << to_utf8(file->path.path());
    EXPECT_EQ(file->path.path().size(), dir.path().size() + 1 + 4 + 6);
}

TEST(CreateTempFile, ReportsADirectoryThatDoesNotExist) {
    const scratch::Directory dir;
    const auto file = create_temp_file((dir / L"missing"), L"a.", L".b");
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error().code(), std::optional<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(TempPath, IgnoresAFileThatIsAlreadyGone) {
    const scratch::Directory dir;
    const std::wstring path = dir.write("gone.txt", "x");
    TempPath owner(path);
    DeleteFileW(path.c_str());
    owner.reset();
    EXPECT_TRUE(owner.path().empty());
}

TEST(TempDir, IsAnExistingDirectoryEndingInABackslash) {
    const auto dir = temp_dir();
    ASSERT_TRUE(dir);
    EXPECT_TRUE(dir->ends_with(L'\\'));
    EXPECT_TRUE(std::filesystem::is_directory(*dir));
}

// The ends that skip the owners' destructors (the fatal stop, the console closing) delete what
// is still owned, and nothing else.
TEST(DeleteLiveTempFiles, DeletesTheFilesThatAreStillOwned) {
    const scratch::Directory dir;
    auto created = create_temp_file(dir.path(), L"Project1.", L".dproj");
    ASSERT_TRUE(created);
    created->handle.reset();
    TempPath moved = std::move(created->path);  // a move keeps the file owned
    std::vector<TempPath> owners;
    owners.emplace_back(dir.write("companion.local", "x"));
    TempPath released(dir.write("released.txt", "x"));
    released.reset();
    dir.write("released.txt", "the user's again");
    TempPath reassigned(dir.write("reassigned.txt", "x"));
    reassigned = TempPath();
    dir.write("reassigned.txt", "the user's again");
    dir.write("unowned.txt", "x");

    delete_live_temp_files();
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"reassigned.txt", "released.txt", "unowned.txt"}));
    // The owners keep their paths and find nothing to delete afterwards.
    EXPECT_FALSE(moved.path().empty());
    owners.clear();
    moved.reset();
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"reassigned.txt", "released.txt", "unowned.txt"}));
}

// The console's handler deletes them on a thread of its own while the main thread's owners
// come and go.
TEST(DeleteLiveTempFiles, RunsBesideOwnersOnAnotherThread) {
    const scratch::Directory dir;
    std::atomic<bool> done = false;
    std::thread deleter([&] {
        while (!done) delete_live_temp_files();
    });
    for (int i = 0; i < 500; ++i) {
        auto file = create_temp_file(dir.path(), L"t.", L".tmp");
        if (!file) {
            ADD_FAILURE() << file.error().message();
            break;
        }
        file->handle.reset();
        std::vector<TempPath> owners;
        owners.push_back(std::move(file->path));
        owners.emplace_back(owners.back().path() + L".local");
    }
    done = true;
    deleter.join();
    EXPECT_EQ(dir.files(), std::vector<std::string>{});
}

}  // namespace
}  // namespace kestrune::win
