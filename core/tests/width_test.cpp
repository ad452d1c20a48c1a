#include "text/width.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kestrune::text {
namespace {

TEST(Width, ColumnsOnATerminal) {
    struct Case {
        std::string_view text;
        std::size_t columns;
        const char* what;
    } cases[] = {
        {"", 0, "empty"},
        {"RAD Studio", 10, "ASCII"},
        {"\xC3\xA9", 1, "precomposed e acute"},
        {"e\xCC\x81", 1, "e and a combining acute (Mn)"},
        {"C:\\Users\\\xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E\\lib", 19, "CJK ideographs take two each"},
        {"\xED\x95\x9C", 2, "Hangul syllable"},
        {"\xEF\xBC\xA1", 2, "fullwidth A"},
        {"\xE3\x80\x80", 2, "ideographic space"},
        {"\xF0\xA0\x80\x80", 2, "CJK extension B, outside the BMP"},
        {"\xF0\x9F\x98\x80", 2, "emoji with wide presentation"},
        {"\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x86", 3, "box drawing: ambiguous counts one"},
        {"a\xE2\x80\x8B" "b", 2, "zero width space (Cf)"},
        {"\xEF\xBB\xBFx", 1, "byte-order mark"},
        {"a\xE2\x81\xA0\xE2\x81\xA4" "b", 2, "word joiner and invisible plus"},
        {"\xE2\x9C\x94\xEF\xB8\x8F", 1, "check mark and variation selector 16"},
        {"\xE8\x91\x9B\xF3\xA0\x84\x80", 2, "ideograph and a supplementary variation selector"},
        {"1\xE2\x83\x9D", 1, "enclosing circle (Me)"},
        {"\xE3\x81\x8B\xE3\x82\x99", 2, "kana and a combining voiced mark that is also wide"},
        {"x\xC2\xAD" "y", 2, "soft hyphen"},
        {"\xFF" "a", 2, "an invalid byte shows as one replacement character"},
    };
    for (const auto& c : cases) EXPECT_EQ(display_width(c.text), c.columns) << c.what;
}

TEST(Width, CutsOnlyBetweenCharacters) {
    const std::string_view names = "\xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E";  // three ideographs
    const std::string_view accents = "e\xCC\x81" "e\xCC\x81";                 // twice e + U+0301
    struct Case {
        std::string_view text;
        std::size_t columns;
        std::size_t bytes;
        const char* what;
    } cases[] = {
        {"abc", 2, 2, "ASCII"},
        {"abc", 9, 3, "all of it"},
        {names, 3, 3, "the second ideograph does not fit in the third column"},
        {names, 4, 6, "two ideographs"},
        {names, 1, 0, "no half ideograph"},
        {accents, 1, 3, "the mark stays with its letter"},
        {"a\xE2\x80\x8B", 1, 4, "a zero-width character goes with the one before it"},
        {"", 4, 0, "empty"},
    };
    for (const auto& c : cases) EXPECT_EQ(fitting_prefix(c.text, c.columns), c.bytes) << c.what;

    EXPECT_EQ(character_end(accents, 0), 3u);
    EXPECT_EQ(character_end(accents, 3), 6u);
    EXPECT_EQ(character_end(names, 3), 6u);
    EXPECT_EQ(character_end("\xCC\x81x", 0), 2u);  // a mark with nothing before it stands alone

    // The narrowest a wrapped column can be.
    EXPECT_EQ(widest_character(""), 1u);
    EXPECT_EQ(widest_character("C:\\lib"), 1u);
    EXPECT_EQ(widest_character(accents), 1u);
    EXPECT_EQ(widest_character("\xCC\x81"), 1u);
    EXPECT_EQ(widest_character(std::string("lib\\") + std::string(names) + "x"), 2u);
}

}  // namespace
}  // namespace kestrune::text
