#include "win/process.hpp"

#include <gtest/gtest.h>

#include "fake_tree.hpp"
#include "scoped_variable.hpp"
#include "win/command_line.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

TEST(QuoteArgument, EscapesWhatTheSplitterWouldChange) {
    struct Case {
        std::wstring_view argument;
        std::wstring_view quoted;
    };
    const Case cases[] = {
        {L"plain", L"plain"},
        {L"C:\\dir\\file.pas", L"C:\\dir\\file.pas"},  // backslashes not before a quote stay single
        {L"", L"\"\""},
        {L"with space", L"\"with space\""},
        {L"with\ttab", L"\"with\ttab\""},
        {L"a\"b", L"a\\\"b"},                        // a quote alone does not make the argument quoted
        {L"a\\\"b", L"a\\\\\\\"b"},                   // backslash before a quote: doubled, quote escaped
        {L"a\\\\\"b c", L"\"a\\\\\\\\\\\"b c\""},      // a run of two before a quote
        {L"dir\\", L"dir\\"},                         // unquoted: a trailing backslash stays single
        {L"my dir\\", L"\"my dir\\\\\""},             // quoted: the trailing backslash is doubled
        {L"my dir\\\\", L"\"my dir\\\\\\\\\""},
        {L"\"", L"\\\""},
        {L"\" \"", L"\"\\\" \\\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(quote_argument(c.argument), c.quoted) << to_utf8(c.argument);
        // The runtime's splitter gives the argument back.
        const auto split = split_command_line(L"prog " + std::wstring(c.quoted));
        ASSERT_EQ(split.size(), 2u) << to_utf8(c.argument);
        EXPECT_EQ(split[1], c.argument);
    }
}

TEST(ChildCommandLine, QuotesTheProgramAndWritesVerbatimArgumentsAsGiven) {
    ChildCommand command{L"cmd.exe", {}};
    command.arg(L"/C").verbatim(L"\" \"C:\\IDE\\bin\\rsvars.bat\" && MSBuild.exe \"a b.dproj\" \"").arg(L"x y");
    EXPECT_EQ(command_line(command),
              L"\"cmd.exe\" /C \" \"C:\\IDE\\bin\\rsvars.bat\" && MSBuild.exe \"a b.dproj\" \" \"x y\"");
    EXPECT_EQ(command_line(ChildCommand{L"C:\\Program Files\\tool.exe", {}}), L"\"C:\\Program Files\\tool.exe\"");
}

TEST(ChildCommandLine, IsRefusedWhenLongerThanTheSystemTakes) {
    // "\"C:\\t.exe\" " is 11 characters; the argument fills the rest.
    const auto line_of = [](std::size_t length) {
        return ChildCommand{L"C:\\t.exe", {}}.arg(std::wstring(length - 11, L'x'));
    };
    const auto longest = checked_command_line(line_of(32766));
    ASSERT_TRUE(longest) << longest.error().message();
    EXPECT_EQ(longest->size(), 32766u);

    const auto too_long = checked_command_line(line_of(32767));
    ASSERT_FALSE(too_long);
    EXPECT_EQ(too_long.error().message(),
              "the command line of t.exe would be 32767 characters long, more than the 32766 a program can be given");
    // Nothing starts, whatever the program.
    const auto run = run_child(ChildCommand{L"cmd.exe", {}}.arg(L"/C").arg(std::wstring(40000, L'x')));
    ASSERT_FALSE(run);
    EXPECT_EQ(run.error().message(),
              "the command line of cmd.exe would be 40013 characters long, more than the 32766 a program can be given");
}

TEST(RunChild, GivesTheChildsExitCode) {
    ChildCommand command{L"cmd.exe", {}};
    command.arg(L"/C").arg(L"exit 3");
    const auto code = run_child(command);
    ASSERT_TRUE(code) << code.error().message();
    EXPECT_EQ(*code, 3u);
}

TEST(RunChild, ReportsAProgramThatIsNowhere) {
    const auto bare = run_child(ChildCommand{L"no-such-program-kestrune.exe", {}});
    ASSERT_FALSE(bare);
    EXPECT_EQ(bare.error().message(), "program not found");

    const auto with_path = run_child(ChildCommand{L"C:\\no\\such\\dir\\tool.exe", {}});
    ASSERT_FALSE(with_path);
    EXPECT_TRUE(with_path.error().code().has_value());
}

// PATH is read however long it is; unset or empty, it adds no directory.
TEST(FindProgram, SearchesPathOfAnyLength) {
    const scratch::FakeTree tree;
    const std::string name = "kestrune-probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    tree.file("bin/" + name);
    const std::wstring bin = (tree.path() / L"bin").wstring();
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
    const scratch::FakeTree tree;
    const std::string name = "kestrune-probe-" + std::to_string(GetCurrentProcessId());
    const std::filesystem::path dir = tree.path() / L"semi;colon";
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
