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

}  // namespace
}  // namespace kestrune::win
