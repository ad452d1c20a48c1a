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

TEST(Text, FindsTheFirstCharacterXmlCannotHold) {
    struct Case {
        std::string_view text;
        std::optional<char32_t> refused;
    } cases[] = {
        {"ACME \t\r\n\xC2\x85 \xEF\xBF\xBD \xF0\x9F\x98\x80", std::nullopt},  // tab, LF, CR, U+0085, U+FFFD, U+1F600
        {"", std::nullopt},
        {std::string_view("A\0B", 3), U'\0'},
        {"A\x01" "B\x02", U'\x01'},
        {"x\x0B", U'\x0B'},
        {"\x1F", U'\x1F'},
        {"\xEF\xBF\xBE", U'\xFFFE'},
        {"ok \xEF\xBF\xBF", U'\xFFFF'},
        {"\xED\xA0\x80", char32_t(0xFFFD)},  // a surrogate encoded on its own is no UTF-8 at all
    };
    for (const auto& c : cases) EXPECT_EQ(first_non_xml_char(c.text), c.refused) << c.text;
}

}  // namespace
}  // namespace kestrune::text
