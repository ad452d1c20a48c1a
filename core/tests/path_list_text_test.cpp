#include "text/path_list.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::text {
namespace {

using Entries = std::vector<std::wstring>;

TEST(PathListText, Split) {
    struct Case {
        std::wstring_view text;
        Entries entries;
    };
    const Case cases[] = {
        {L"a;b", {L"a", L"b"}},
        {L"a;;b", {L"a", L"", L"b"}},
        {L"a;", {L"a", L""}},
        {L";a", {L"", L"a"}},
        {L"", {L""}},
        {L";", {L"", L""}},
        {L"c:\\foo;c:\\som\"e;di\"r;c:\\bar", {L"c:\\foo", L"c:\\some;dir", L"c:\\bar"}},
        {L"\"a;b", {L"a;b"}},                  // a quote that never closes keeps the rest
        {L"x;\"a;b;c", {L"x", L"a;b;c"}},
        {L"\"\"", {L""}},
        {L"a\"\"b;c", {L"ab", L"c"}},
        {L"%PATH%;c:\\tools", {L"%PATH%", L"c:\\tools"}},
    };
    for (const Case& c : cases) EXPECT_EQ(split_path_list(c.text), c.entries) << win::to_utf8(c.text);
}

TEST(PathListText, Join) {
    struct Case {
        Entries entries;
        std::wstring text;
    };
    const Case cases[] = {
        {{L"c:\\x", L"c:\\y;z"}, L"c:\\x;\"c:\\y;z\""},
        {{L"a", L"", L"b"}, L"a;;b"},
        {{}, L""},
        {{L""}, L""},
        {{L"", L""}, L";"},
        {{L";"}, L"\";\""},
    };
    for (const Case& c : cases) {
        const auto text = join_path_list(c.entries);
        ASSERT_TRUE(text) << win::to_utf8(c.text);
        EXPECT_EQ(*text, c.text);
        if (!c.entries.empty()) {
            EXPECT_EQ(split_path_list(*text), c.entries) << win::to_utf8(c.text);
        }
    }
    for (const Entries& bad : {Entries{L"a\"b"}, Entries{L"ok", L"\""}, Entries{L"x;y\""}}) {
        const auto text = join_path_list(bad);
        EXPECT_EQ(text, std::nullopt);
    }
}

}  // namespace
}  // namespace kestrune::text
