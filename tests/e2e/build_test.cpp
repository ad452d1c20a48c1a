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
        // A double quote in a value, escaped for MSBuild, ends cmd.exe's quoted stretch: what
        // follows still reaches MSBuild unchanged instead of running as a second command.
        {"a quote in the project path", {}, {"build", "x\" & echo hi & \"y.dproj", "-c", "A^B"},
         "MSBuild.exe \"x\\\" & echo hi & \\\"y.dproj\" /t:Build /p:Config=A^B ", "bin"},
        {"a quote in the configuration", {}, {"build", "p.dproj", "-c", "A\"B&C", "-p", "Win32"},
         "MSBuild.exe \"p.dproj\" /t:Build /p:Config=A\\\"B&C /p:Platform=Win32 ", "bin"},
        {"a quote in the version information", {}, {"build", "p.dproj", "--CompanyName", "x\" & echo hi | more & \""},
         "MSBuild.exe \"p.dproj\" /t:Build /p:VerInfo_IncludeVerInfo=true "
         "/p:VerInfo_Keys=\"CompanyName=x\\\" & echo hi | more & \\\"\" ",
         "bin"},
        {"only rsvars64.bat", {.rsvars = false}, {"build", "p.dproj"}, "MSBuild.exe \"p.dproj\" /t:Build ", "bin64"},
        {"every property",
         {},
         {"build", "p.dproj", "--no-splash", "-t", "x64", "--CompanyName", "ACME", "--FileVersion", "1.2.0.0", "-c",
          "Debug Two"},
         "MSBuild.exe \"p.dproj\" /t:Build /p:Config=\"Debug Two\" /p:DCC_PreferredToolArchitecture=x64 "
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
        EXPECT_EQ(ran[0].cwd, toolchain.work.utf8());
        EXPECT_EQ(ran[0].env.at("BDSBIN"), toolchain.root.utf8() + "\\" + c.bin);
    }
}

// One line of the MSBuild stand-in's reading, with backslashes and line breaks escaped as it
// writes them.
std::string reading(std::string_view kind, std::string_view text) {
    std::string line(kind);
    line += ' ';
    for (const char c : text) {
        if (c == '\\')
            line += "\\\\";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\n')
            line += "\\n";
        else
            line += c;
    }
    return line;
}

// Whatever a value holds, MSBuild reads it, through cmd.exe, as one argument and one property
// value, exactly as given: it never becomes a further argument, property, switch or project.
TEST(Build, EveryValueReachesMSBuildExactlyAsGiven) {
    const char* const hostile[] = {
        "Debug Build",  "Release;Platform=Win64", "a,b",        "100%",           "%41%42",
        "%PATH%",       "A&B|C>D",                "A\"B&C",     "x\" & echo hi & \"", "trailing\\",
        "two words\\", "back\\\"slash",        "$(Foo)@(Bar)'*?", "tab\there",   "line\nbreak\r",
        "no\u00a0break", "a^b ^& !x!",            "",           "(a)", "/t:Clean",
    };
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> read;  // the stand-in's reading
    };
    std::vector<Case> cases;
    // The version information is one property whose pairs a ";" separates.
    for (const std::string value : hostile)
        cases.push_back({{"build", "p.dproj", "-c", value, "-p", "Win64", "--CompanyName", value, "--FileVersion", "1.0"},
                         {"argument p.dproj", "argument /t:Build", reading("property", "Config=" + value),
                          "property Platform=Win64", "property VerInfo_IncludeVerInfo=true",
                          reading("property", "VerInfo_Keys=CompanyName=" + value + ";FileVersion=1.0")}});
    // A project whose name MSBuild would take for a switch or a response file gets a ".\".
    for (const auto& [project, read] : std::vector<std::pair<std::string, std::string>>{
             {"My Dir\\App.dproj", "My Dir\\App.dproj"},
             {"dir\\", "dir\\"},
             {"-p:X=1.dproj", ".\\-p:X=1.dproj"},
             {"@App.dproj", ".\\@App.dproj"},
             {"/App.dproj", "\\App.dproj"},
             {"100%;a,b.dproj", "100%;a,b.dproj"},
         })
        cases.push_back({{"build", "--", project}, {reading("argument", read), "argument /t:Build"}});
    cases.push_back({{"build", "p.dproj", "--VersionInfo", "B=%41;a=x y", "--Comments", "C:\\src\\", "--no-splash"},
                     {"argument p.dproj", "argument /t:Build", "property VerInfo_IncludeVerInfo=true",
                      reading("property", "VerInfo_Keys=a=x y;B=%41;Comments=C:\\src\\"), "argument /nologo"}});

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Toolchain toolchain;
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 0u) << r.err;
        const auto ran = toolchain.runs();
        ASSERT_EQ(ran.size(), 1u);
        EXPECT_EQ(ran[0].msbuild, c.read) << ran[0].command_line;
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
    const auto r = toolchain.run({"build", "p.dproj"}, {.exit = 3});
    EXPECT_EQ(r.status, 3u);
    EXPECT_EQ(r.err, "Error: MSBuild.exe failed with exit status 3\n");
    EXPECT_EQ(toolchain.runs().size(), 1u);
}

}  // namespace
}  // namespace kestrune::e2e
