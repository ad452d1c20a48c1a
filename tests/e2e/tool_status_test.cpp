// A tool that fails makes the command fail: the tool has reported on the console, and its
// exit code, unchanged, becomes the program's exit status.
#include <gtest/gtest.h>

#include "tool_log.hpp"

namespace kestrune::e2e {
namespace {

TEST(ToolStatus, TheToolsExitCodeIsTheCommandsStatus) {
    struct Case {
        std::vector<std::string> args;
        std::string tool;  // the stand-in that runs
        std::string out;   // everything on standard output
    };
    const Case cases[] = {
        {{"build", "p.dproj"}, "MSBuild.exe", "MSBuild.exe ran\n"},
        {{"bds", "p.dproj"}, "bds.exe", "Starting bds.exe and building...\nbds.exe ran\n"},
        {{"dcc", "p.dpr", "-p", "Win64"}, "DCC64.exe", "DCC64.exe ran\n"},
        {{"dcc32", "p.dpr"}, "DCC32.exe", "DCC32.exe ran\n"},
        {{"dcc64", "p.dpr"}, "DCC64.exe", "DCC64.exe ran\n"},
        {{"dccarm64ec", "p.dpr"}, "DCCARM64EC.exe", "DCCARM64EC.exe ran\n"},
        {{"brcc", "app.rc"}, "BRCC32.exe", "BRCC32.exe ran\n"},
        {{"package", "compile", "Pkg.dpk"}, "DCC32.exe", "DCC32.exe ran\n"},
    };
    FakeTree tree;
    tree.bin_tools.push_back(L"DCCARM64EC.exe");
    const Toolchain toolchain(tree);
    std::size_t runs = 0;
    // 3221225477 is 0xC0000005, the status of a process that crashed on an access violation.
    for (const DWORD code : {0ul, 1ul, 3ul, 3221225477ul}) {
        for (const Case& c : cases) {
            const std::string label = c.args[0] + " " + std::to_string(code);
            const auto r = toolchain.run(c.args, code);
            EXPECT_EQ(r.status, code) << label;
            EXPECT_EQ(r.err, "") << label;
            EXPECT_EQ(r.out, c.out) << label;
            const auto ran = toolchain.runs();
            ASSERT_EQ(ran.size(), ++runs) << label;
            EXPECT_EQ(ran.back().tool, c.tool) << label;
        }
    }
}

}  // namespace
}  // namespace kestrune::e2e
