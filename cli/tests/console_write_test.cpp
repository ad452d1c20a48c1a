#include "output/console_write.hpp"

#include <gtest/gtest.h>

namespace kestrune::cli {
namespace {

TEST(ConsolePiece, NeverCutsASurrogatePairInTwo) {
    const std::wstring face = L"\U0001F600";  // one character, two UTF-16 units
    struct Case {
        std::wstring text;
        std::size_t limit, piece;
    };
    const Case cases[] = {
        {L"abc", 8, 3},                 // everything fits
        {L"abcdef", 4, 4},
        {L"abc" + face + L"d", 4, 3},   // the limit falls between the halves: the pair waits
        {L"abc" + face + L"d", 5, 5},   // the limit falls after the pair
        {face + L"x", 1, 1},            // a limit of one still makes progress
        {L"", 4, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(console_piece(c.text, c.limit), c.piece) << c.text.size() << "/" << c.limit;
}

}  // namespace
}  // namespace kestrune::cli
