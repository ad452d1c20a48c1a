#include "win/command_line.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::win {
namespace {

TEST(CommandLine, SplitsByTheRuntimeRules) {
    struct Case {
        std::wstring_view line;
        std::vector<std::wstring> args;
    } cases[] = {
        {L"prog a b", {L"prog", L"a", L"b"}},
        {L"prog  \t a\t\tb  ", {L"prog", L"a", L"b"}},
        {L"prog \"a b\" c", {L"prog", L"a b", L"c"}},
        {L"prog \"\" x", {L"prog", L"", L"x"}},
        {L"prog a\"b c\"d", {L"prog", L"ab cd"}},
        {L"prog a\\\\b", {L"prog", L"a\\\\b"}},                // backslashes not before a quote stay
        {L"prog a\\\\\\\"b", {L"prog", L"a\\\"b"}},            // 3 backslashes + quote: 1 backslash, literal quote
        {L"prog \"a\\\\\" b", {L"prog", L"a\\", L"b"}},        // 2 backslashes + quote: 1 backslash, toggle
        {L"prog \"a\"\"b\"", {L"prog", L"a\"b"}},              // doubled quote inside quotes
        {L"prog \"D:\\X Y\\\\\"", {L"prog", L"D:\\X Y\\"}},
        {L"prog \"unclosed a b", {L"prog", L"unclosed a b"}},
        // The program's own element: quotes toggle, backslashes literal.
        {L"\"C:\\Program Files\\k.exe\" x", {L"C:\\Program Files\\k.exe", L"x"}},
        {L"C:\\dir\\\"k\".exe", {L"C:\\dir\\k.exe"}},
        {L"", {L""}},
    };
    for (const auto& c : cases) EXPECT_EQ(split_command_line(c.line), c.args) << std::wstring(c.line).size();
}

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
}

}  // namespace
}  // namespace kestrune::win
