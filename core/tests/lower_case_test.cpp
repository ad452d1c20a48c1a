#include "win/lower_case.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::win {
namespace {

TEST(LowerCase, MapsEveryLetterAndKeepsTheRest) {
    struct Case {
        std::wstring_view text, lowered;
    } const cases[] = {
        {L"", L""},
        {L"RAD Studio 12.1 Athens", L"rad studio 12.1 athens"},
        {L"\u00c9DITION \u0394\u0416", L"\u00e9dition \u03b4\u0436"},
        {L"C:\\Path;%VAR%", L"c:\\path;%var%"},
    };
    for (const auto& c : cases) EXPECT_EQ(lower_case(c.text), c.lowered) << to_utf8(c.text);
}

}  // namespace
}  // namespace kestrune::win
