#include "win/command_line.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestrune::win
