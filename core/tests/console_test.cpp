#include "win/console.hpp"

#include <gtest/gtest.h>

#include "win/temp_path.hpp"

namespace kestrune::win {
namespace {

// Output redirected to a file or a pipe is no console: nothing is measured there, and no mode
// is set on it, so bytes go to it as they are.
TEST(Console, AFileAPipeOrNothingIsNoConsole) {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    const UniqueHandle pipe_read(read), pipe_write(write);
    const auto dir = temp_dir();
    ASSERT_TRUE(dir);
    const auto file = create_temp_file(*dir, L"kestrune-console-", L".txt");
    ASSERT_TRUE(file);

    for (HANDLE h : {pipe_write.get(), file->handle.get(), HANDLE(nullptr), INVALID_HANDLE_VALUE}) {
        EXPECT_FALSE(is_console(h));
        EXPECT_EQ(console_width(h), 0);
        const ConsoleMode mode(h, virtual_terminal_output, 0);
        EXPECT_FALSE(mode.taken());
    }
}

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
}  // namespace kestrune::win
