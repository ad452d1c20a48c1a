#include "win/utf.hpp"

#include <gtest/gtest.h>

namespace kestrune::win {
namespace {

TEST(Utf, RoundTripsAndReplacesUnpairedSurrogates) {
    // Wide text is UTF-16 code units whatever the size of wchar_t: U+1F600 is a surrogate pair.
    const std::wstring face{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(to_utf8(L"a\u00e9\u2714"), "a\xC3\xA9\xE2\x9C\x94");
    EXPECT_EQ(to_utf8(std::wstring{L'a', static_cast<wchar_t>(0xD800), L'b'}), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(to_utf8_strict(std::wstring{static_cast<wchar_t>(0xDC00)}), std::nullopt);
    EXPECT_EQ(to_utf8(face), "\xF0\x9F\x98\x80");
    EXPECT_EQ(to_wide("\xF0\x9F\x98\x80"), face);
    EXPECT_EQ(to_wide("a\xFF" "b"), L"a\uFFFDb");
}

}  // namespace
}  // namespace kestrune::win
