// env-path, library-path and browsing-path: the IDE's PATH per IDE architecture and the
// library and browsing paths per platform, listed and edited.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.hpp"
#include "ide_settings.hpp"

namespace kestrune::e2e {
namespace {

using ::testing::HasSubstr;

using PathLists = IdeSettings;

TEST_F(PathLists, EnvPathEditsBothIdesAsText) {
    install(true, true);
    registry.set(env32, L"Path", L"X", REG_EXPAND_SZ);  // written back as REG_SZ

    struct Step {
        std::vector<std::string> args;
        std::wstring path32, path64;
    };
    const Step steps[] = {
        {{"env-path", "add", "D:\\A"}, L"X;D:\\A", L";D:\\A"},
        {{"env-path", "insert", "D:\\B;D:\\C"}, L"D:\\C;D:\\B;X;D:\\A", L"D:\\C;D:\\B;;D:\\A"},
        {{"path", "push", "d:\\b"}, L"D:\\C;D:\\B;X;D:\\A", L"D:\\C;D:\\B;;D:\\A"},
        {{"env-path", "-a", "x64", "append", "E:\\only64"}, L"D:\\C;D:\\B;X;D:\\A", L"D:\\C;D:\\B;;D:\\A;E:\\only64"},
        {{"envpath", "rm", "d:\\a;D:\\C"}, L"D:\\B;X", L"D:\\B;;E:\\only64"},
        {{"env-path", "-p", "Win32", "del", "x"}, L"D:\\B", L"D:\\B;;E:\\only64"},
    };
    for (const Step& s : steps) {
        const std::string label = ::testing::PrintToString(s.args);
        const auto r = run(s.args);
        ASSERT_EQ(r.status, 0u) << label << r.err;
        EXPECT_EQ(r.out + r.err, "") << label;
        EXPECT_EQ(text(env32, L"Path"), s.path32) << label;
        EXPECT_EQ(text(env64, L"Path"), s.path64) << label;
    }
}

TEST_F(PathLists, EnvPathListsThe32BitIdeFirst) {
    install(true, true);
    registry.set(env32, L"Path", L"C:\\one;\"C:\\semi;colon\";C:\\th\u00E9");
    const auto r = run({"env-path"});
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out,
              "32-bit IDE PATH\n"
              "┌────┬───────────────┐\n"
              "│ ID ┆ Item          │\n"
              "╞════╪═══════════════╡\n"
              "│ 1  ┆ C:\\one        │\n"
              "│ 2  ┆ C:\\semi;colon │\n"
              "│ 3  ┆ C:\\thé        │\n"
              "└────┴───────────────┘\n"
              "64-bit IDE PATH\n"
              "┌────┬──────┐\n"
              "│ ID ┆ Item │\n"
              "╞════╪══════╡\n"
              "│ 1  ┆      │\n"
              "└────┴──────┘\n");
    EXPECT_FALSE(registry.get(env64, L"Path"));  // listing creates the key, not the value
}

TEST_F(PathLists, LibraryAndBrowsingPathsPerInstalledPlatform) {
    install(true, false);  // the platforms are Win32 and Win64, whatever IDEs there are
    registry.set(library(L"Win64"), L"Search Path", L"$(BDSLIB)\\$(Platform)\\release");

    ASSERT_EQ(run({"library-path", "add", "D:\\Lib"}).status, 0u);
    EXPECT_EQ(text(library(L"Win32"), L"Search Path"), L";D:\\Lib");
    EXPECT_EQ(text(library(L"Win64"), L"Search Path"), L"$(BDSLIB)\\$(Platform)\\release;D:\\Lib");
    EXPECT_FALSE(registry.key_exists(library(L"Win64x")));
    EXPECT_FALSE(registry.get(library(L"Win32"), L"Browsing Path"));

    ASSERT_EQ(run({"browsing-path", "-p", "Win64", "insert", "D:\\Src"}).status, 0u);
    EXPECT_EQ(text(library(L"Win64"), L"Browsing Path"), L"D:\\Src;");
    EXPECT_FALSE(registry.get(library(L"Win32"), L"Browsing Path"));

    ASSERT_EQ(run({"libpath", "-p", "win32", "remove", "d:\\LIB"}).status, 0u);
    EXPECT_EQ(text(library(L"Win32"), L"Search Path"), L"");
    EXPECT_EQ(text(library(L"Win64"), L"Search Path"), L"$(BDSLIB)\\$(Platform)\\release;D:\\Lib");

    const auto listing = run({"library-path"});
    ASSERT_EQ(listing.status, 0u) << listing.err;
    EXPECT_EQ(listing.out,
              "Win32 Library Path\n"
              "┌────┬──────┐\n"
              "│ ID ┆ Item │\n"
              "╞════╪══════╡\n"
              "│ 1  ┆      │\n"
              "└────┴──────┘\n"
              "Win64 Library Path\n"
              "┌────┬───────────────────────────────┐\n"
              "│ ID ┆ Item                          │\n"
              "╞════╪═══════════════════════════════╡\n"
              "│ 1  ┆ $(BDSLIB)\\$(Platform)\\release │\n"
              "│ 2  ┆ D:\\Lib                        │\n"
              "└────┴───────────────────────────────┘\n");

    const auto browsing = run({"browsingpath", "--platform", "Win64"});
    ASSERT_EQ(browsing.status, 0u) << browsing.err;
    EXPECT_EQ(browsing.out.substr(0, browsing.out.find('\n')), "Win64 Browsing Path");
    EXPECT_THAT(browsing.out, HasSubstr("│ 1  ┆ D:\\Src │\n│ 2  ┆        │\n"));
}

// Before XE2 (version 9.0) the IDE's one platform keeps its paths in "Library" itself, where
// the IDE reads them.
TEST_F(PathLists, AnIdeBeforeXe2KeepsItsPathsInTheLibraryKey) {
    const std::wstring xe = L"Software\\Embarcadero\\BDS\\8.0";
    install_at(root, true, false, {.bin_tools = {L"DCC32.exe"}, .bin64_tools = {}}, L"8.0");
    registry.set(xe + L"\\Library", L"Search Path", L"$(BDS)\\lib");
    registry.set(xe + L"\\Library", L"Browsing Path", L"$(BDS)\\source");

    const auto listing = run({"library-path"});
    ASSERT_EQ(listing.status, 0u) << listing.err;
    EXPECT_EQ(listing.out,
              "Win32 Library Path\n"
              "┌────┬────────────┐\n"
              "│ ID ┆ Item       │\n"
              "╞════╪════════════╡\n"
              "│ 1  ┆ $(BDS)\\lib │\n"
              "└────┴────────────┘\n");
    ASSERT_EQ(run({"library-path", "-p", "Win32", "add", "D:\\Lib"}).status, 0u);
    ASSERT_EQ(run({"browsing-path", "insert", "D:\\Src"}).status, 0u);
    EXPECT_THAT(run({"browsing-path"}).out, HasSubstr("│ 1  ┆ D:\\Src        │\n│ 2  ┆ $(BDS)\\source │\n"));

    EXPECT_EQ(text(xe + L"\\Library", L"Search Path"), L"$(BDS)\\lib;D:\\Lib");
    EXPECT_EQ(text(xe + L"\\Library", L"Browsing Path"), L"D:\\Src;$(BDS)\\source");
    EXPECT_FALSE(registry.key_exists(xe + L"\\Library\\Win32"));
}

TEST_F(PathLists, PlatformThatIsNotInstalledTouchesNothing) {
    install(true, true);
    for (const char* command : {"library-path", "browsing-path"}) {
        const auto r = run({command, "-p", "OSX64", "add", "D:\\x"});
        EXPECT_EQ(r.status, 1u) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, "Error: OSX64 platform is not installed\n") << command;
    }
    EXPECT_FALSE(registry.key_exists(version + L"\\Library"));
}

TEST_F(PathLists, ValueThatIsNotTextIsKeptAndStopsTheLoop) {
    install(true, true);
    registry.set_dword(library(L"Win32"), L"Search Path", 3);
    const auto r = run({"library-path", "add", "D:\\x"});
    EXPECT_EQ(r.status, 1u);
    EXPECT_THAT(r.err, HasSubstr("(0x8007000D)\n"));
    EXPECT_EQ(registry.get(library(L"Win32"), L"Search Path")->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_FALSE(registry.key_exists(library(L"Win64")));  // Win64 comes after the failure
}

TEST_F(PathLists, UnpairedSurrogateInAnItemIsKept) {
    install(true, false);
    const std::wstring odd = std::wstring(L"D:\\") + static_cast<wchar_t>(0xD800) + L"x";
    const auto added = run_wide({L"env-path", L"add", odd});
    ASSERT_EQ(added.status, 0u) << added.err;
    EXPECT_EQ(text(env32, L"Path"), L";" + odd);
    const auto listing = run({"env-path"});
    EXPECT_THAT(listing.out, HasSubstr("│ 2  ┆ D:\\\xEF\xBF\xBDx │"));  // shown as U+FFFD
    ASSERT_EQ(run_wide({L"env-path", L"remove", odd}).status, 0u);
    EXPECT_EQ(text(env32, L"Path"), L"");
}

TEST_F(PathLists, MissingItemIsAParserError) {
    const auto r = run({"env-path", "add"});
    EXPECT_EQ(r.status, 2u);
    EXPECT_THAT(r.err, HasSubstr("<ITEM>"));
}

}  // namespace
}  // namespace kestrune::e2e
