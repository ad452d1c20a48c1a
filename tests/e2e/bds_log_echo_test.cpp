// bds: the echo of a long log whose lines continue one another.
#include <gtest/gtest.h>

#include <chrono>

#include "tool_log.hpp"
#include "win/code_page.hpp"

namespace kestrune::e2e {
namespace {

// Continuation lines end no output line, so all of them wait in standard output's buffer
// together. Looking for a line end in that whole buffer on every write took time growing
// with the square of their number: 400 000 of them took about a minute.
TEST(BdsLogEcho, FourHundredThousandContinuationLinesTakeSeconds) {
    constexpr std::size_t lines = 400'000;
    const Toolchain toolchain;
    std::string log;
    for (std::size_t i = 0; i < lines; ++i) log += "  x\r\n";

    const auto start = std::chrono::steady_clock::now();
    const auto r = toolchain.run({"bds", "p.dproj"}, {.bds_log = log});
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out, "Starting bds.exe and building...\nbds.exe ran\n" + std::string(lines, 'x'));
    // Far above what a loaded machine needs, far below the square of the count.
    EXPECT_LT(took.count(), 10.0);
}

// A path in the system's ANSI code page is ordinary in a log: the echo goes on to the end, and
// the program ends with bds.exe's own status, here a failed build's.
TEST(BdsLogEcho, ALogThatIsNotUtf8IsEchoedWholeAndTheStatusStands) {
    const Toolchain toolchain;
    const std::string path = "C:\\Users\\J\xFCrgen\\App.dpr";
    const auto r = toolchain.run(
        {"bds", "p.dproj"}, {.exit = 1, .bds_log = "Build started\r\n  " + path + "(3) Error: E2003\r\nBuild FAILED.\r\n"});
    EXPECT_EQ(r.status, 1u);
    EXPECT_EQ(r.err, "Error: bds.exe failed with exit status 1\n");
    EXPECT_EQ(r.out, "Starting bds.exe and building...\nbds.exe ran\nBuild started\n" + win::ansi_to_utf8(path) +
                         "(3) Error: E2003\n\nBuild FAILED.\n");
}

}  // namespace
}  // namespace kestrune::e2e
