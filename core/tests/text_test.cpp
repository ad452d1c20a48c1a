#include "text/text.hpp"

#include <gtest/gtest.h>

namespace kestrune::text {
namespace {

TEST(Text, TrimsUnicodeWhiteSpaceOnly) {
    struct Case {
        std::string_view in, out;
    } cases[] = {
        {"  a b \t", "a b"},
        {"\xC2\xA0x\xE3\x80\x80", "x"},           // U+00A0 and U+3000
        {"\xEF\xBB\xBFx", "\xEF\xBB\xBFx"},        // a byte-order mark is not white space
        {"\r\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(trim(c.in), c.out) << c.in;
    EXPECT_EQ(trim_start("  a "), "a ");
}

TEST(Text, AsciiCaseFoldingLeavesOtherBytes) {
    EXPECT_TRUE(equal_ignore_ascii_case("RAD Studio", "rad studio"));
    EXPECT_FALSE(equal_ignore_ascii_case("\xC3\x89", "\xC3\xA9"));  // É vs é
    EXPECT_FALSE(equal_ignore_ascii_case("ab", "abc"));
    EXPECT_TRUE(equal_ignore_ascii_case(std::wstring_view(L"D:\\LIB"), std::wstring_view(L"d:\\lib")));
    EXPECT_EQ(ascii_lower("Win64X"), "win64x");
}

TEST(Text, SplitsLinesAtLineFeeds) {
    EXPECT_EQ(split_lines("a\n\nb\n"), (std::vector<std::string_view>{"a", "", "b", ""}));
    EXPECT_EQ(split_lines(""), (std::vector<std::string_view>{""}));
}

}  // namespace
}  // namespace kestrune::text
