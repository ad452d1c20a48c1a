#include "main/run_tool.hpp"

#include <gtest/gtest.h>

namespace kestrune::cli {
namespace {

TEST(ToolFailureLine, GivesTheStatusInHexadecimalTooFromTheSystemsRangeOn) {
    struct Case {
        std::uint32_t status;
        const char* line;
    };
    const Case cases[] = {
        {1, "Error: DCC32.exe failed with exit status 1\n"},
        {0xBFFFFFFF, "Error: DCC32.exe failed with exit status 3221225471\n"},
        {0xC0000000, "Error: DCC32.exe failed with exit status 3221225472 (0xC0000000)\n"},
        {0xC000013A, "Error: DCC32.exe failed with exit status 3221225786 (0xC000013A)\n"},
        {0xFFFFFFFF, "Error: DCC32.exe failed with exit status 4294967295 (0xFFFFFFFF)\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(tool_failure_line("DCC32.exe", c.status), c.line);
}

}  // namespace
}  // namespace kestrune::cli
