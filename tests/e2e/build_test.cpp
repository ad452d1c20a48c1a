// build: MSBuild.exe started through cmd.exe after the installation's rsvars script.
#include <gtest/gtest.h>

#include "tool_log.hpp"

namespace kestrune::e2e {
namespace {

TEST(Build, RunsMSBuildAfterTheChosenRsvarsScript) {
    struct Case {
        const char* what;
        FakeTree tree;
        std::vector<std::string> args;
        std::string msbuild_line;  // as cmd.exe hands it to MSBuild.exe
        std::string bin;           // the directory whose rsvars script ran
    };
    const Case cases[] = {
        {"configuration and platform", {}, {"build", "Project1.dproj", "-c", "Release", "-p", "Win64"},
         "MSBuild.exe \"Project1.dproj\" /t:Build /p:Config=Release /p:Platform=Win64 ", "bin"},
        {"-a x64 takes rsvars64.bat", {}, {"-a", "x64", "msbuild", "src\\My App.dproj"},
         "MSBuild.exe \"src\\My App.dproj\" /t:Build ", "bin64"},
        {"cmd.exe's special characters stay in the configuration", {}, {"build", "p.dproj", "-c", "A&B|C>D"},
         "MSBuild.exe \"p.dproj\" /t:Build /p:Config=A&B|C>D ", "bin"},
        // A double quote in a value ends cmd.exe's quoted stretch; what follows still reaches
        // MSBuild unchanged instead of running as a second command.
        {"a quote in the project path", {}, {"build", "x\" & echo hi & \"y.dproj", "-c", "A^B"},
         "MSBuild.exe \"x\" & echo hi & \"y.dproj\" /t:Build /p:Config=A^B ", "bin"},
        {"a quote in the configuration", {}, {"build", "p.dproj", "-c", "A\"B&C", "-p", "Win32"},
         "MSBuild.exe \"p.dproj\" /t:Build /p:Config=A\"B&C /p:Platform=Win32 ", "bin"},
        {"a quote in the version information", {}, {"build", "p.dproj", "--CompanyName", "x\" & echo hi | more & \""},
         "MSBuild.exe \"p.dproj\" /t:Build /p:VerInfo_IncludeVerInfo=true "
         "/p:VerInfo_Keys=\"CompanyName=x\" & echo hi | more & \"\" ",
         "bin"},
        {"only rsvars64.bat", {.rsvars = false}, {"build", "p.dproj"}, "MSBuild.exe \"p.dproj\" /t:Build ", "bin64"},
        {"every property",
         {},
         {"build", "p.dproj", "--no-splash", "-t", "x64", "--CompanyName", "ACME", "--FileVersion", "1.2.0.0", "-c",
          "Debug Two"},
         "MSBuild.exe \"p.dproj\" /t:Build /p:Config=Debug Two /p:DCC_PreferredToolArchitecture=x64 "
         "/p:VerInfo_IncludeVerInfo=true /p:VerInfo_Keys=\"CompanyName=ACME;FileVersion=1.2.0.0\" /nologo ",
         "bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Toolchain toolchain(c.tree);
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 0u) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "MSBuild.exe ran\n");
        const auto ran = toolchain.runs();
        ASSERT_EQ(ran.size(), 1u);
        EXPECT_EQ(ran[0].tool, "MSBuild.exe");
        EXPECT_EQ(ran[0].command_line, c.msbuild_line);
        EXPECT_EQ(ran[0].cwd, toolchain.work_text());
        EXPECT_EQ(ran[0].env.at("BDSBIN"), toolchain.root_text() + "\\" + c.bin);
    }
}

TEST(Build, WithoutAUsableRsvarsScriptNothingRuns) {
    struct Case {
        FakeTree tree;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {{.rsvars = false, .rsvars64 = false}, {"build", "p.dproj"}},
        {{.rsvars64 = false}, {"build", "p.dproj", "-a", "x64"}},
    };
    for (const Case& c : cases) {
        const Toolchain toolchain(c.tree);
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 1u);
        EXPECT_EQ(r.err, "Error: MSBuild.exe not found\n");
        EXPECT_TRUE(toolchain.runs().empty());
    }
}

TEST(Build, AFailingMSBuildFailsTheCommand) {
    const Toolchain toolchain;
    const auto r = toolchain.run({"build", "p.dproj"}, 3);
    EXPECT_EQ(r.status, 3u);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(toolchain.runs().size(), 1u);
}

}  // namespace
}  // namespace kestrune::e2e
