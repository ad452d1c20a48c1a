// A tool that fails makes the command fail: after the tool's own output one line on standard
// error names it and its status, and its exit code, unchanged, becomes the program's exit status.
#include <gmock/gmock.h>
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
    const std::pair<DWORD, std::string> codes[] = {
        {0, ""}, {1, " 1"}, {3, " 3"}, {3221225477, " 3221225477 (0xC0000005)"}};
    for (const auto& [code, told] : codes) {
        for (const Case& c : cases) {
            const std::string label = c.args[0] + " " + std::to_string(code);
            const auto r = toolchain.run(c.args, {.exit = code});
            EXPECT_EQ(r.status, code) << label;
            EXPECT_EQ(r.err, code == 0 ? "" : "Error: " + c.tool + " failed with exit status" + told + "\n") << label;
            EXPECT_EQ(r.out, c.out) << label;
            const auto ran = toolchain.runs();
            ASSERT_EQ(ran.size(), ++runs) << label;
            EXPECT_EQ(ran.back().tool, c.tool) << label;
        }
    }
}

// The system takes a command line of at most 32 767 characters with its terminator, and Wine
// cuts a longer one short without a word: such a run is refused before anything is made or
// started.
TEST(ToolStatus, ACommandLineLongerThanTheSystemTakesStartsNothing) {
    const std::string long_text(33000, 'x');
    struct Case {
        std::vector<std::string> args;
        std::string program;  // whose command line is too long
    };
    const Case cases[] = {
        {{"dcc32", "p.dpr", "--output-dir", "out", "-d", long_text}, "DCC32.exe"},
        {{"brcc", "app.rc", long_text}, "BRCC32.exe"},
        {{"build", "p.dproj", "-c", long_text}, "cmd.exe"},
        {{"bds", long_text + ".dproj"}, "bds.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const Toolchain toolchain;
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 1u);
        EXPECT_THAT(r.err, testing::StartsWith("Error: "));
        EXPECT_THAT(r.err, testing::HasSubstr("the command line of " + c.program + " would be "));
        EXPECT_THAT(r.err, testing::EndsWith(" characters long, more than the 32766 a program can be given\n"));
        EXPECT_FALSE(toolchain.work.exists(L"tools.log"));
        EXPECT_FALSE(toolchain.work.exists(L"out"));
    }
}

// A tool that ends by itself may leave a program of its own running for later builds, as
// MSBuild leaves its build nodes: it outlives the program, which only ends the tree of a tool
// that still runs or was interrupted.
TEST(ToolStatus, WhatAToolLeavesRunningOutlivesTheProgram) {
    const Toolchain toolchain;
    const auto r = toolchain.run({"dcc32", "p.dpr"}, {.env = {{fake_ide::variable::leave_running, toolchain.work / L"server"},
                                                              {fake_ide::variable::wait_ms, L"2000"}}});
    ASSERT_EQ(r.status, 0u) << r.err;
    // The left program announces itself in the file, which goes when it ends.
    bool seen = false;
    for (int i = 0; i < 40 && !seen; ++i, Sleep(50)) seen = toolchain.work.exists(L"server");
    ASSERT_TRUE(seen) << "the program the tool left was never seen running";
    Sleep(500);
    EXPECT_TRUE(toolchain.work.exists(L"server")) << "the program the tool left ended with kestrune";
    // It ends by itself after its wait; until then it holds files of both scratch directories.
    for (int i = 0; i < 60 && toolchain.work.exists(L"server"); ++i) Sleep(50);
}

}  // namespace
}  // namespace kestrune::e2e
