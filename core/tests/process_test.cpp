#include "win/process.hpp"

#include <gtest/gtest.h>

namespace kestrune::win {
namespace {

// A command line the system would cut short is refused before anything starts, whatever the
// program.
TEST(RunChild, StartsNothingWithACommandLineTooLong) {
    const auto run = run_child(ChildCommand{L"cmd.exe", {}}.arg(L"/C").arg(std::wstring(40000, L'x')));
    ASSERT_FALSE(run);
    EXPECT_EQ(run.error().message(),
              "the command line of cmd.exe would be 40013 characters long, more than the 32766 a program can be given");
}

TEST(RunChild, GivesTheChildsExitCode) {
    ChildCommand command{L"cmd.exe", {}};
    command.arg(L"/C").arg(L"exit 3");
    const auto code = run_child(command);
    ASSERT_TRUE(code) << code.error().message();
    EXPECT_EQ(*code, 3u);
}

TEST(RunChild, ReportsAProgramThatIsNowhere) {
    const auto bare = run_child(ChildCommand{L"no-such-program-kestrune.exe", {}});
    ASSERT_FALSE(bare);
    EXPECT_EQ(bare.error().message(), "program not found");

    const auto with_path = run_child(ChildCommand{L"C:\\no\\such\\dir\\tool.exe", {}});
    ASSERT_FALSE(with_path);
    EXPECT_TRUE(with_path.error().code().has_value());
}

}  // namespace
}  // namespace kestrune::win
