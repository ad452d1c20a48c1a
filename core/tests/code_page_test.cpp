#include "win/code_page.hpp"

#include <windows.h>

#include <gtest/gtest.h>

namespace kestrune::win {
namespace {

TEST(CodePage, AnsiTextIsReadInTheSystemCodePage) {
    // Wine's and an English Windows's ANSI code page; on another, only ASCII is checked.
    const bool western = GetACP() == 1252;
    EXPECT_EQ(ansi_to_utf8("plain"), "plain");
    EXPECT_EQ(ansi_to_utf8(""), "");
    if (western) { EXPECT_EQ(ansi_to_utf8("C:\\Users\\J\xFCrgen\r\n"), "C:\\Users\\J\xC3\xBCrgen\r\n"); }
    EXPECT_EQ(utf8_or_ansi("J\xC3\xBCrgen"), "J\xC3\xBCrgen");  // valid UTF-8 stays as it is
    if (western) { EXPECT_EQ(utf8_or_ansi("J\xFCrgen \x80"), "J\xC3\xBCrgen \xE2\x82\xAC"); }
}

TEST(CodePage, TextFilesAreReadByTheirByteOrderMark) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFJ\xC3\xBCrgen", "J\xC3\xBCrgen"},
        {"\xEF\xBB\xBF" "a\xFF", "a\xEF\xBF\xBD"},  // after a UTF-8 mark a bad byte is U+FFFD, not ANSI
        {std::string("\xFF\xFE" "A\0\xFC\0", 6), "A\xC3\xBC"},
        {std::string("\xFE\xFF\0A\0\xFC", 6), "A\xC3\xBC"},
        {std::string("\xFF\xFE" "A\0B", 5), "A\xEF\xBF\xBD"},  // a half code unit at the end
        {"no mark \xC3\xBC", "no mark \xC3\xBC"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(decode_text_file(c.bytes), c.text) << c.bytes;
    if (GetACP() == 1252) { EXPECT_EQ(decode_text_file("{ Latin-1 \xE9t\xE9 }"), "{ Latin-1 \xC3\xA9t\xC3\xA9 }"); }
}

}  // namespace
}  // namespace kestrune::win
