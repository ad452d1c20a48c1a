// bds: the echo of a long log whose lines continue one another.
#include <gtest/gtest.h>

#include <chrono>

#include "tool_log.hpp"

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
    toolchain.work.write(L"bds-log.txt", log);
    RunOptions options{.cwd = toolchain.work.path(), .env = {}};
    options.env[L"KESTRUNE_FAKE_BDS_LOG"] = toolchain.work / L"bds-log.txt";

    const auto start = std::chrono::steady_clock::now();
    const auto r = run({"bds", "p.dproj"}, options);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out, "Starting bds.exe and building...\nbds.exe ran\n" + std::string(lines, 'x'));
    // Far above what a loaded machine needs, far below the square of the count.
    EXPECT_LT(took.count(), 10.0);
}

}  // namespace
}  // namespace kestrune::e2e
