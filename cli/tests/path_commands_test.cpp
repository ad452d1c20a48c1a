#include "main/path_commands.hpp"

#include <gtest/gtest.h>

#include "captured_output.hpp"
#include "installation_record.hpp"
#include "table/table.hpp"
#include "text/path_list.hpp"
#include "win/utf.hpp"

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

// A listing is drawn straight from the value's text; it shows what drawing each entry of the
// split text on its own shows, whatever the text holds.
TEST_F(PathListOutput, ListsAwkwardValuesEntryByEntry) {
    using namespace std::string_literals;
    const std::wstring awkward[] = {
        L"",
        L";",
        L"a\"b;c\"d;;\"e",                            // quotes that hide and that never close
        L"C:\\\xD83D\xDE00;x",                        // a surrogate pair: two columns
        L"\xD83D;\xDE00\xDE00;\xD83D",                // unpaired surrogates
        L"pair\xD83D\"\"\xDE00;\"\xD83D\"\xDE00",     // a pair split by quotes, whole once they go
        L"C:\\\x738B\x5C0F\x660E\\lib;Cafe\x0301;\x200B",  // wide, combining and zero-width characters
        L"line\nbreak;tab\there; blank ;trailing ",  // a line feed makes a cell of two lines
        L"a\0b;\0c"s,                                // NULs inside the text
        std::wstring(300, L'x') + L";" + std::wstring(11, L';') + L"%BDS%\\lib",  // a long entry, two-digit numbers
    };
    const std::wstring key = version_key + L"\\Library\\Win32";
    for (const std::wstring& value : awkward) {
        set_string(key, L"Search Path", value);
        kestrune::testing::CapturedOutput out;
        ASSERT_TRUE(run_platform_path_list("Library Path", search_path, std::nullopt, installation, {Platform::Win32}, out));
        Table table({"ID", "Item"});
        const std::vector<std::wstring> entries = text::split_path_list(value);
        for (std::size_t i = 0; i < entries.size(); ++i) table.add_row({std::to_string(i + 1), win::to_utf8(entries[i])});
        EXPECT_EQ(out.out, "Win32 Library Path\n" + table.render() + "\n") << win::to_utf8(value);
    }
}

}  // namespace
}  // namespace kestrune::cli
