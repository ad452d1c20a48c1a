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
        // An overlong space is no UTF-8, so no white space, at either end.
        {"\xC0\xA0x\xC0\xA0", "\xC0\xA0x\xC0\xA0"},
        {"x\xE0\x80\x89 ", "x\xE0\x80\x89"},
        {" \x80 ", "\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(trim(c.in), c.out) << c.in;
    EXPECT_EQ(trim_start("  a "), "a ");
}

TEST(Text, DecodesStrictUtf8) {
    struct Case {
        std::string_view text;
        bool valid;
    } cases[] = {
        {"plain", true},
        {"\xC3\xA9\xE2\x9C\x94\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", true},  // U+00E9, U+2714, U+1F600, U+10FFFF
        {"", true},
        {"\xC0\x80", false},          // overlong
        {"\xED\xA0\x80", false},      // a surrogate encoded on its own
        {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
        {"\xE2\x9C", false},          // cut short
        {"a\x80", false},              // stray continuation byte
        {"\xFF", false},
    };
    for (const auto& c : cases) EXPECT_EQ(is_valid_utf8(c.text), c.valid) << c.text;
}

TEST(Text, SurrogatesAndCodePointNames) {
    EXPECT_TRUE(is_high_surrogate(0xD800) && is_high_surrogate(0xDBFF) && !is_high_surrogate(0xDC00));
    EXPECT_TRUE(is_low_surrogate(0xDC00) && is_low_surrogate(0xDFFF) && !is_low_surrogate(0xDBFF));
    EXPECT_FALSE(is_high_surrogate(0xD7FF) || is_low_surrogate(0xE000));
    EXPECT_EQ(code_point_name(0x1), "U+0001");
    EXPECT_EQ(code_point_name(0xFFFE), "U+FFFE");
    EXPECT_EQ(code_point_name(0x1F600), "U+1F600");
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

TEST(Text, TellsXmlNames) {
    struct Case {
        std::string_view text;
        bool name;
    } cases[] = {
        {"PropertyGroup", true},
        {"x:Name_1.a-b", true},
        {"\xC3\x89l\xC3\xA9ment", true},          // letters beyond ASCII
        {"\xE5\x90\x8D", true},                      // an ideograph
        {"\xF0\xA9\xA9\xA9", true},                 // beyond the Basic Multilingual Plane
        {"a\xCC\x81", true},                          // a combining mark continues a name
        {"\xCC\x81" "a", false},                      // but begins none
        {"\xC2\xB7", false},                          // nor does the middle dot
        {"", false},
        {"1a", false},
        {"-a", false},
        {"a b", false},
        {"\xC2\xBD", false},                          // a fraction sign
        {"A\xE2\x9C\xA6", false},                    // a dingbat
        {"a\xEF\xBF\xBE", false},                    // U+FFFE, no character
        {"a\xE9", false},                              // no UTF-8
    };
    for (const auto& c : cases) EXPECT_EQ(is_xml_name(c.text), c.name) << c.text;
}

}  // namespace
}  // namespace kestrune::text
