#include "win/program_search.hpp"

#include <gtest/gtest.h>

#include "scratch_directory.hpp"
#include "scoped_variable.hpp"
#include "win/process.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

// PATH is read however long it is; unset or empty, it adds no directory.
TEST(FindProgram, SearchesPathOfAnyLength) {
    const scratch::Directory tree;
    const std::string name = "kestrune-probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    tree.write("bin/" + name);
    const std::wstring bin = (tree / L"bin");
    std::wstring long_path;
    for (int i = 0; i < 40; ++i) long_path += L"C:\\no\\such\\directory\\" + std::to_wstring(i) + L";";
    ASSERT_GT(long_path.size(), 2u * MAX_PATH);
    struct Case {
        std::optional<std::wstring> path;
        std::optional<std::wstring> found;
    };
    const Case cases[] = {
        {long_path + bin, bin + L"\\" + to_wide(name)},
        {L"\"" + bin + L"\"", bin + L"\\" + to_wide(name)},
        {L"", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const scratch::ScopedVariable path(L"PATH", c.path);
        EXPECT_EQ(find_program(to_wide(name)), c.found) << (c.path ? to_utf8(*c.path) : "unset");
    }
}

// A PATH entry in double quotes may hold ";": the search reads it as cmd.exe does, which runs
// a script found there by its bare name.
TEST(FindProgram, ReadsQuotedPathEntriesAsCmdDoes) {
    const scratch::Directory tree;
    const std::string name = "kestrune-probe-" + std::to_string(GetCurrentProcessId());
    const std::filesystem::path dir = tree / L"semi;colon";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / to_wide(name + ".bat")) << "@exit 5\r\n";
    const std::wstring quoted = L"\"" + dir.wstring() + L"\"";
    const scratch::ScopedVariable path(L"PATH", L"C:\\no\\such;" + quoted + L";C:\\no\\other");

    EXPECT_EQ(find_program(to_wide(name + ".bat")), dir.wstring() + L"\\" + to_wide(name + ".bat"));
    ChildCommand cmd{L"cmd.exe", {}};
    cmd.arg(L"/C").arg(to_wide(name));
    const auto code = run_child(cmd);
    ASSERT_TRUE(code) << code.error().message();
    EXPECT_EQ(*code, 5u);
}

TEST(FindProgram, FindsCmdInTheSystemDirectory) {
    const auto found = find_program(L"cmd.exe");
    ASSERT_TRUE(found);
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(*found, std::wstring(system, length) + L"\\cmd.exe");
}

}  // namespace
}  // namespace kestrune::win
