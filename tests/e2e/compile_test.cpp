// dcc, dcc32, dcc64, dccarm64ec and brcc: the installation's compilers run with the command
// lines their options give.
#include <gtest/gtest.h>

#include <algorithm>

#include "tool_log.hpp"

namespace kestrune::e2e {
namespace {

// The arguments with empty --alias and --namespace, which leaves the two long default
// switches out where a case is not about them.
std::vector<std::string> lean(std::vector<std::string> args) {
    const auto tail = std::find(args.begin(), args.end(), "--");
    args.insert(tail, {"--alias=", "--namespace="});
    return args;
}

struct ToolCase {
    const char* what;
    std::vector<std::string> args;
    std::string tool;       // relative to the root, e.g. bin\DCC64.exe
    std::string arguments;  // the command line after the quoted tool path
};

// Each case runs on a fresh installation whose tree is `tree`.
void expect_runs(const FakeTree& tree, std::initializer_list<ToolCase> cases) {
    for (const ToolCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Toolchain toolchain(tree);
        const auto r = toolchain.run(c.args, {.exit = 1});  // the tool's failure is the command's
        EXPECT_EQ(r.status, 1u) << r.err;
        EXPECT_EQ(r.err, "Error: " + c.tool.substr(c.tool.find('\\') + 1) + " failed with exit status 1\n");
        const auto ran = toolchain.runs();
        ASSERT_EQ(ran.size(), 1u);
        const std::string path = toolchain.root.utf8() + "\\" + c.tool;
        EXPECT_EQ(ran[0].command_line, "\"" + path + "\"" + c.arguments);
        EXPECT_EQ(ran[0].cwd, toolchain.work.utf8());
    }
}

TEST(Compile, RunsTheCompilerOfTheCommandOrPlatform) {
    FakeTree tree;
    tree.bin_tools = {L"DCC32.exe", L"DCC64.exe", L"DCCAARM.exe", L"DCCARM64EC.exe"};
    tree.bin64_tools = {L"DCC64.exe", L"DCC32.exe"};
    expect_runs(tree, {
        {"Win64x takes the Delphi 64-bit compiler", lean({"dcc", "p.dpr", "--platform", "Win64x"}),
         "bin\\DCC64.exe", " p.dpr"},
        {"Android32", lean({"-p", "android32", "dcc", "p.dpr"}), "bin\\DCCAARM.exe", " p.dpr"},
        {"dcc64 ignores the platform", lean({"dcc64", "p.dpr", "-p", "Linux64"}), "bin\\DCC64.exe", " p.dpr"},
        {"dccarm64ec", lean({"dccarm64ec", "p.dpr"}), "bin\\DCCARM64EC.exe", " p.dpr"},
        {"-a x64 searches bin64 first", lean({"dcc32", "-b", "p.dpr", "-a", "x64"}), "bin64\\DCC32.exe",
         " p.dpr -B"},
        {"defaults of alias and namespace", {"dcc32", "p.dpr"}, "bin\\DCC32.exe",
         " p.dpr -A\"Generics.Collections=System.Generics.Collections;Generics.Defaults=System.Generics.Defaults;"
         "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE\" "
         "-NS\"Winapi;System.Win;Data.Win;Datasnap.Win;Web.Win;Soap.Win;Xml.Win;Bde;System;Xml;Data;Datasnap;Web;Soap;"
         "Vcl;Vcl.Imaging;Vcl.Touch;Vcl.Samples;Vcl.Shell;IBX;VclTee\""},
        {"defines in order, never split", lean({"dcc32", "p.dpr", "-d", "DEBUG", "--define", "A;B", "-d", "TRACE"}),
         "bin\\DCC32.exe", " p.dpr -D\"DEBUG;A;B;TRACE\""},
        {"raw after --", lean({"dcc32", "My App.dpr", "-q", "--", "-$D+", "--build", "a b"}),
         "bin\\DCC32.exe", " \"My App.dpr\" -Q -$D+ --build \"a b\""},
        {"empty output directory: bare switch", lean({"dcc32", "p.dpr", "--output-dir="}), "bin\\DCC32.exe",
         " p.dpr -E"},
    });
}

TEST(Compile, MakesOutputDirectoriesBeforeTheCompilerRuns) {
    const Toolchain toolchain;
    // The stand-in can append to its log only if the directory exists when it starts.
    const auto r = toolchain.run(lean({"dcc32", "Project1.dpr", "--output-dir", "Out Dir\\exe", "--unit-output-dir", "dcu\\"}),
                                 {.log = L"Out Dir\\exe\\tools.log"});
    EXPECT_EQ(r.status, 0u) << r.err;
    const auto ran = parse_tool_log(toolchain.work.read(L"Out Dir\\exe\\tools.log"));
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(ran[0].command_line,
              "\"" + toolchain.root.utf8() + "\\bin\\DCC32.exe\" Project1.dpr -E\"Out Dir\\exe\" -NU\"dcu\\\"");
    EXPECT_TRUE(toolchain.work.exists(L"dcu"));
}

TEST(Compile, AMissingCompilerIsReportedAndNothingRuns) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"dcc", "p.dpr", "-p", "OSX64"}, "Error: DCCOSX64.exe not found\n"},
        {{"dccarm64ec", "p.dpr"}, "Error: DCCARM64EC.exe not found\n"},
        {{"brcc", "app.rc"}, "Error: BRCC32.exe not found\n"},
    };
    for (const Case& c : cases) {
        const Toolchain toolchain(FakeTree{.bin_tools = {L"DCC32.exe"}});
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 1u);
        EXPECT_EQ(r.err, c.err);
        EXPECT_TRUE(toolchain.runs().empty());
    }
}

// The system reads a path only up to its first NUL. Cut short there, these values would name
// an existing directory or the real bds.exe, and the program would start that.
TEST(Compile, ToolsFromPathsWithANulInsideAreNotFound) {
    using namespace std::string_literals;
    struct Case {
        std::vector<std::string> args;
        std::wstring value;  // "RootDir" or "App", the rest of the text after the root
        std::wstring text;
        std::string err;
    };
    const Case cases[] = {
        {{"dcc32", "p.dpr"}, L"RootDir", L"\\\0junk"s, "Error: DCC32.exe not found\n"},
        {{"dcc", "p.dpr", "-p", "Win64"}, L"RootDir", L"\\\0junk"s, "Error: DCC64.exe not found\n"},
        {{"brcc", "app.rc"}, L"RootDir", L"\\\0junk"s, "Error: BRCC32.exe not found\n"},
        {{"build", "p.dproj"}, L"RootDir", L"\\\0junk"s, "Error: MSBuild.exe not found\n"},
        {{"bds", "p.dproj"}, L"App", L"\\bin\\bds.exe\0junk"s, "Error: bds.exe not found\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        Toolchain toolchain;
        toolchain.registry.set(version_key(InstallationSpec{}), c.value, toolchain.root.path() + c.text);
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 1u);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(toolchain.work.exists(L"tools.log"));
    }
}

// The compilers take their switches' values between double quotes with nothing escaped, so a
// value holding one would end early and let the rest read as a switch of its own.
TEST(Compile, AValueHoldingADoubleQuoteIsRefusedAndNothingRuns) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"dcc32", "p.dpr", "--define", "A\" \"-Eevil"},
         "Error: the value of --define holds a double quote, which cannot be passed to DCC32.exe\n"},
        {{"dcc", "-p", "Win64", "p.dpr", "--output-dir", "out", "--unit-search-dirs", "a\"b"},
         "Error: the value of --unit-search-dirs holds a double quote, which cannot be passed to DCC64.exe\n"},
        {{"dcc32", "p\".dpr", "--output-dir", "out"},
         "Error: the value of FILE holds a double quote, which cannot be passed to DCC32.exe\n"},
        {{"dcc64", "p.dpr", "--output-dir", "out", "--", "-B", "-X\""},
         "Error: the value of RAW holds a double quote, which cannot be passed to DCC64.exe\n"},
        {{"package", "compile", "Pkg.dpk", "--package-bpl-output-dir", "out", "--alias", "A=\"B\""},
         "Error: the value of --alias holds a double quote, which cannot be passed to DCC32.exe\n"},
        {{"brcc", "app\".rc"}, "Error: the value of INPUT_RC holds a double quote, which cannot be passed to BRCC32.exe\n"},
        {{"brcc", "app.rc", "out\\\"app.res"},
         "Error: the value of OUTPUT_RES holds a double quote, which cannot be passed to BRCC32.exe\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const Toolchain toolchain;
        const auto r = toolchain.run(c.args);
        EXPECT_EQ(r.status, 1u);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(toolchain.work.exists(L"tools.log"));
        EXPECT_FALSE(toolchain.work.exists(L"out"));
    }
}

TEST(Brcc, RunsTheResourceCompilerOnTheScript) {
    FakeTree tree;
    tree.bin64_tools = {L"BRCC32.exe"};
    expect_runs(tree, {
        {"script alone", {"brcc", "app.rc"}, "bin\\BRCC32.exe", " app.rc"},
        {"with output", {"brcc", "app.rc", "out\\app.res"}, "bin\\BRCC32.exe", " app.rc -fo out\\app.res"},
        {"hidden alias", {"brcc32", "my app.rc"}, "bin\\BRCC32.exe", " \"my app.rc\""},
        {"-a x64 before", {"-a", "x64", "brcc", "app.rc"}, "bin64\\BRCC32.exe", " app.rc"},
        {"-a x64 after", {"brcc", "app.rc", "-a", "x64"}, "bin64\\BRCC32.exe", " app.rc"},
    });
}

}  // namespace
}  // namespace kestrune::e2e
