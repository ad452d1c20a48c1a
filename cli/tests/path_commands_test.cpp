#include "main/path_commands.hpp"

#include <gtest/gtest.h>

#include "captured_output.hpp"
#include "installation_record.hpp"

namespace kestrune::cli {
namespace {

using catalogue::Architecture;
using catalogue::Platform;

const catalogue::RegistryValue search_path{"Search Path", false};
const catalogue::RegistryValue browsing_path{"Browsing Path", false};

using PathListOutput = InstalledRecord;

TEST_F(PathListOutput, EnvPathListsEachIdesPathUnderItsTitle) {
    set_string(version_key + L"\\Environment Variables", L"Path", L"C:\\bin;\"D:\\a;b\";;%BDS%\\x");
    kestrune::testing::CapturedOutput out;
    ASSERT_TRUE(run_env_path(std::nullopt, installation, {Architecture::x86, Architecture::x64}, out));
    // The x64 IDE has no Path yet: the missing value is one empty entry.
    EXPECT_EQ(out.out,
              "32-bit IDE PATH\n"
              "┌────┬─────────┐\n"
              "│ ID ┆ Item    │\n"
              "╞════╪═════════╡\n"
              "│ 1  ┆ C:\\bin  │\n"
              "│ 2  ┆ D:\\a;b  │\n"
              "│ 3  ┆         │\n"
              "│ 4  ┆ %BDS%\\x │\n"
              "└────┴─────────┘\n"
              "64-bit IDE PATH\n"
              "┌────┬──────┐\n"
              "│ ID ┆ Item │\n"
              "╞════╪══════╡\n"
              "│ 1  ┆      │\n"
              "└────┴──────┘\n");
    EXPECT_EQ(out.err, "");
}

TEST_F(PathListOutput, PlatformListsAreTitledByPlatformAndList) {
    set_string(version_key + L"\\Library\\Win32", L"Browsing Path", L"$(BDS)\\source\\rtl;$(BDS)\\source\\vcl");
    set_string(version_key + L"\\Library\\Linux64", L"Browsing Path", L"/usr/src");
    kestrune::testing::CapturedOutput out;
    ASSERT_TRUE(run_platform_path_list("Browsing Path", browsing_path, std::nullopt, installation,
                                       {Platform::Win32, Platform::Linux64}, out));
    EXPECT_EQ(out.out,
              "Win32 Browsing Path\n"
              "┌────┬───────────────────┐\n"
              "│ ID ┆ Item              │\n"
              "╞════╪═══════════════════╡\n"
              "│ 1  ┆ $(BDS)\\source\\rtl │\n"
              "│ 2  ┆ $(BDS)\\source\\vcl │\n"
              "└────┴───────────────────┘\n"
              "Linux64 Browsing Path\n"
              "┌────┬──────────┐\n"
              "│ ID ┆ Item     │\n"
              "╞════╪══════════╡\n"
              "│ 1  ┆ /usr/src │\n"
              "└────┴──────────┘\n");
}

TEST_F(PathListOutput, EditsPrintNothing) {
    const std::wstring win32 = version_key + L"\\Library\\Win32";
    set_string(win32, L"Search Path", L"a;b");
    kestrune::testing::CapturedOutput out;
    const PathCommands edits[] = {{PathCommands::Kind::Add, L"c"},
                                  {PathCommands::Kind::Insert, L"z"},
                                  {PathCommands::Kind::Remove, L"a"}};
    for (const PathCommands& edit : edits)
        ASSERT_TRUE(run_platform_path_list("Library Path", search_path, edit, installation, {Platform::Win32}, out));
    EXPECT_EQ(stored(win32, L"Search Path")->units(), std::wstring(L"z;b;c") + L'\0');
    EXPECT_EQ(out.out, "");
    EXPECT_EQ(out.err, "");
}

}  // namespace
}  // namespace kestrune::cli
