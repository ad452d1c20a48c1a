// bds: the IDE executable started on the project or on a patched copy, its log echoed.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "tool_log.hpp"
#include "win/temp_path.hpp"

namespace kestrune::e2e {
namespace {

namespace variable = fake_ide::variable;

constexpr std::string_view project = R"(<Project xmlns="http://schemas.microsoft.com/developer/msbuild/2003">
    <PropertyGroup>
        <Config Condition="'$(Config)'==''">Debug</Config>
        <Platform Condition="'$(Platform)'==''">Win32</Platform>
    </PropertyGroup>
    <PropertyGroup Condition="'$(Base)'!=''"/>
</Project>)";

// GoogleTest's own regular expressions on Windows know no character classes.
testing::AssertionResult matches(const std::string& text, const std::string& pattern) {
    if (std::regex_match(text, std::regex(pattern))) return testing::AssertionSuccess();
    return testing::AssertionFailure() << text << "\ndoes not match\n" << pattern;
}

std::string regex_escape(const std::string& text) { return std::regex_replace(text, std::regex(R"([\\.^$|()\[\]{}*+?])"), R"(\$&)"); }

// The bds.exe logs in the temporary directory: ".tmp" and six characters.
std::set<std::wstring> temp_logs() {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((win::temp_dir().value() + L".tmp??????").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.insert(data.cFileName);
    while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

class Bds : public testing::Test {
protected:
    // bds.exe writes `log` as its build log and leaves a companion beside its project.
    RunResult run(const std::vector<std::string>& args, const std::string& log = {}, std::optional<DWORD> exit = {},
                  const RunOptions& options = {}) const {
        return toolchain.run(args, {.exit = exit, .bds_log = log, .env = {{variable::bds_local, L"1"}}}, options);
    }
    std::string bds_exe(const char* bin = "bin") const { return "\"" + toolchain.root.utf8() + "\\" + bin + "\\bds.exe\""; }

    Toolchain toolchain;
};

TEST_F(Bds, BuildsAPatchedCopyAndEchoesTheLog) {
    toolchain.work.write(L"Project1.dproj", std::string(project));
    const auto logs_before = temp_logs();
    const auto r = run({"bds", "Project1.dproj", "-c", "Release"}, "Build started\r\n  Compiling\r\n  Linking\r\nDone\r\n");
    EXPECT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Starting bds.exe and building...\nbds.exe ran\nBuild started\nCompilingLinking\n\nDone\n");

    const auto ran = toolchain.runs();
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_TRUE(matches(ran[0].command_line, regex_escape(bds_exe() + " " + toolchain.work.utf8() + "\\Project1.") +
                                                 R"([A-Za-z0-9]{6}\.dproj -b -o"[^" ]*\\\.tmp[A-Za-z0-9]{6}")"));
    // The copy, the companion bds.exe left beside it and the log are gone.
    EXPECT_EQ(toolchain.work.files(), (std::vector<std::string>{"Project1.dproj", "bds-log.txt", "tools.log"}));
    EXPECT_EQ(temp_logs(), logs_before);
}

// The copy is XML, which has no way to write some characters; MSBuild's command line has.
TEST_F(Bds, AValueXmlCannotHoldIsRefusedBeforeAnythingIsCopiedOrStarted) {
    toolchain.work.write(L"Project1.dproj", std::string(project));
    struct Case {
        std::vector<std::string> options;
        std::string option, character;  // named in the message
    };
    const Case cases[] = {
        {{"--CompanyName", "A\x01" "B"}, "--CompanyName", "U+0001"},
        {{"-c", "Release\x1F"}, "--config", "U+001F"},
        {{"--VersionInfo", "Key=\xEF\xBF\xBE"}, "--VersionInfo", "U+FFFE"},
        {{"--Comments", "fine", "--ProductVersion", "1.0\xEF\xBF\xBF"}, "--ProductVersion", "U+FFFF"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"bds", "Project1.dproj"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = run(args);
        EXPECT_EQ(r.status, 1u) << c.option;
        EXPECT_EQ(r.out, "") << c.option;
        EXPECT_EQ(r.err, "Error: the value of " + c.option + " holds " + c.character +
                             ", a character that XML project files cannot hold\n");
        EXPECT_FALSE(toolchain.work.exists(L"tools.log")) << c.option;
        EXPECT_EQ(toolchain.work.files(), (std::vector<std::string>{"Project1.dproj", "bds-log.txt"})) << c.option;
    }

    // Tab, line feed and carriage return are XML's own.
    const auto held = run({"bds", "Project1.dproj", "--CompanyName", "A\tB\r\nC"});
    EXPECT_EQ(held.status, 0u) << held.err;
    EXPECT_EQ(toolchain.runs().size(), 1u);
    const auto msbuild = toolchain.run({"build", "Project1.dproj", "--CompanyName", "A\x01" "B"});
    EXPECT_EQ(msbuild.status, 0u) << msbuild.err;
    ASSERT_EQ(toolchain.runs().size(), 2u);
    EXPECT_NE(toolchain.runs()[1].command_line.find("CompanyName=A\x01" "B"), std::string::npos);
}

// Only what goes into a copy is checked, and only when a copy is to be made (and after the
// installation is known: BdsErrors).
TEST_F(Bds, OnlyWhatACopyWillHoldIsCheckedForXml) {
    toolchain.work.write(L"Project1.dproj", std::string(project));
    struct Case {
        std::vector<std::string> options;
        std::string project;  // handed to bds.exe: "copy" for a patched copy
    };
    const Case cases[] = {
        {{"--VersionInfo", "no pair \x01"}, "Project1.dproj"},                          // contributes nothing
        {{"--VersionInfo", "Key=value\x0B"}, "copy"},                                   // trimmed white space
        {{"--CompanyName", "ACME", "--VersionInfo", "companyname=\x01"}, "copy"},       // overridden
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"bds", "Project1.dproj"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = run(args);
        EXPECT_EQ(r.status, 0u) << r.err;
        const auto ran = toolchain.runs();
        ASSERT_FALSE(ran.empty());
        const std::string handed = c.project == "copy" ? "\\Project1." : " Project1.dproj -b";
        EXPECT_NE(ran.back().command_line.find(handed), std::string::npos) << ran.back().command_line;
    }
}

// bds.exe would build the project's saved configuration instead: options that only a patched
// copy carries are refused for a project that cannot carry them, before anything is copied or
// started.
TEST_F(Bds, OptionsAProjectCannotCarryAreRefused) {
    // A project file of the older format: its groups are conditioned on Configuration.
    toolchain.work.write(L"Old.dproj", R"(<Project xmlns="http://schemas.microsoft.com/developer/msbuild/2003">
    <PropertyGroup>
        <Configuration Condition=" '$(Configuration)' == '' ">Debug</Configuration>
        <Platform Condition=" '$(Platform)' == '' ">AnyCPU</Platform>
    </PropertyGroup>
    <PropertyGroup Condition=" '$(Configuration)|$(Platform)' == 'Release|AnyCPU' "/>
</Project>)");
    toolchain.work.write(L"App.dproj", std::string(project));
    const std::string not_a_project = "not a project file that a patched copy can be made of (.dproj, .cbproj or .groupproj)\n";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"bds", "App.dpr", "-c", "Release"}, "Error: cannot apply --config to \"App.dpr\": " + not_a_project},
        {{"bds", "App.dproj ", "-t", "x64"},
         "Error: cannot apply --preferred-tool-architecture to \"App.dproj \": " + not_a_project},
        {{"bds", "Old.dproj", "-c", "Release", "-p", "Win64", "--FileVersion", "2.0.0.0"},
         "Error: cannot apply --config, --platform and --FileVersion to \"Old.dproj\": no property group to carry the "
         "options: the project has no PropertyGroup with Condition=\"'$(Base)'!=''\"\n"},
    };
    for (const Case& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, 1u) << c.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(toolchain.work.exists(L"tools.log")) << c.err;
        EXPECT_EQ(toolchain.work.files(), (std::vector<std::string>{"App.dproj", "Old.dproj", "bds-log.txt"}));
    }
    // Without them bds.exe gets the project as named, as before.
    const auto r = run({"bds", "App.dpr"});
    EXPECT_EQ(r.status, 0u) << r.err;
    ASSERT_EQ(toolchain.runs().size(), 1u);
    EXPECT_TRUE(toolchain.runs()[0].command_line.starts_with(bds_exe() + " App.dpr -b ")) << toolchain.runs()[0].command_line;
}

// A chain of groups each listing the next once took the stack with it: it is refused whole.
TEST_F(Bds, GroupsNestedTooDeepAreRefused) {
    toolchain.work.write(L"App.dproj", std::string(project));
    constexpr int depth = 1633;
    const auto name = [](int n) { return L"G" + std::to_wstring(n) + L".groupproj"; };
    for (int n = 1; n <= depth; ++n) {
        const std::wstring member = n < depth ? name(n + 1) : L"App.dproj";
        toolchain.work.write(name(n), "<Project><ItemGroup><Projects Include=\"" + win::to_utf8(member) + "\"/></ItemGroup></Project>");
    }
    toolchain.work.write(L"bds-log.txt", "");
    const auto before = toolchain.work.files();
    const auto r = run({"bds", "G1.groupproj", "-c", "Release"});
    EXPECT_EQ(r.status, 1u);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error: project groups nested deeper than 1000 levels: \"G1001.groupproj\"\n");
    EXPECT_FALSE(toolchain.work.exists(L"tools.log"));
    EXPECT_EQ(toolchain.work.files(), before);
}

// A step that fails is reported in the system's own words, as scripts match them for every
// tool, and nothing of the build is left.
TEST_F(Bds, AFailedStepGivesTheSystemsText) {
    toolchain.work.write(L"Project1.dproj", std::string(project));
    const auto logs_before = temp_logs();

    // bds.exe deleted its log, as a cleaner of the temporary directory might have meanwhile.
    const auto dropped = toolchain.run({"bds", "Project1.dproj", "-c", "Release"},
                                       {.log = L"", .bds_log = "Build started\r\n", .env = {{variable::bds_drop_log, L"1"}}});
    EXPECT_EQ(dropped.status, 1u);
    EXPECT_EQ(dropped.out, "Starting bds.exe and building...\nbds.exe ran\n");
    EXPECT_EQ(dropped.err, "Error: " + win::IoError::from_code(ERROR_FILE_NOT_FOUND).message() + "\n");

    // A bds.exe that the system cannot start.
    toolchain.root.write(L"bin\\bds.exe", "not a program");
    const auto unstarted = run({"bds", "Project1.dproj", "-c", "Release"});
    EXPECT_EQ(unstarted.status, 1u);
    EXPECT_EQ(unstarted.out, "Starting bds.exe and building...\n");
    std::smatch code;
    ASSERT_TRUE(std::regex_search(unstarted.err, code, std::regex(R"(\(os error ([0-9]+)\)\n$)"))) << unstarted.err;
    EXPECT_EQ(unstarted.err, "Error: " + win::IoError::from_code(std::stoul(code[1])).message() + "\n");

    EXPECT_EQ(toolchain.work.files(), (std::vector<std::string>{"Project1.dproj", "bds-log.txt"}));
    EXPECT_EQ(temp_logs(), logs_before);
}

// A failed write to standard output stops the program at once, and the stop still deletes the
// copy, its companion and the log: at the starting line, before bds.exe runs, and during the
// echo, as `kestrune bds ... | head -c 5` meets it.
TEST_F(Bds, AFailedWriteStopsTheBuildAndLeavesNothingBehind) {
    toolchain.work.write(L"Project1.dproj", std::string(project));
    std::string log;
    for (int i = 0; i < 50000; ++i) log += "Compiling unit " + std::to_string(i) + "\r\n";  // more than a pipe holds
    struct Case {
        const char* name;
        RunOptions options;
        std::vector<std::string> left;  // in the project's directory
    };
    const Case cases[] = {
        {"no reader at all", {.close_stdout = true}, {"Project1.dproj", "bds-log.txt"}},
        {"a reader of five bytes", {.stdout_bytes = 5}, {"Project1.dproj", "bds-log.txt", "tools.log"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto logs_before = temp_logs();
        const auto r = run({"bds", "Project1.dproj", "-c", "Release"}, log, {}, c.options);
        EXPECT_EQ(r.status, 101u);
        EXPECT_TRUE(r.err.starts_with("Error: failed printing to stdout: ")) << r.err;
        EXPECT_EQ(toolchain.work.files(), c.left);
        EXPECT_EQ(temp_logs(), logs_before);
        DeleteFileW((toolchain.work / L"tools.log").c_str());
    }
}

TEST_F(Bds, WithoutAnythingToPatchBuildsTheProjectAsNamed) {
    struct Case {
        std::vector<std::string> args;
        std::string tail;  // after the log argument
    };
    const Case cases[] = {
        {{"bds", "p.dproj"}, ""},
        {{"--no-splash", "bds", "p.dproj"}, " -ns"},
        {{"bds", "p.dproj", "--no-splash"}, " -ns"},
    };
    for (const Case& c : cases) {
        const auto r = run(c.args, "", 7);
        EXPECT_EQ(r.status, 7u) << r.err;
        EXPECT_EQ(r.out, "Starting bds.exe and building...\nbds.exe ran\n");
        const auto ran = toolchain.runs();
        ASSERT_FALSE(ran.empty());
        EXPECT_TRUE(matches(ran.back().command_line, regex_escape(bds_exe() + " p.dproj -b -o\"") +
                                                         R"([^"]*\\\.tmp[A-Za-z0-9]{6}")" + regex_escape(c.tail)));
    }
    // Not a copy of ours: what bds.exe left beside the user's project stays.
    EXPECT_TRUE(toolchain.work.exists(L"p.dproj.local"));
}

// A project the patcher cannot read stops the command before bds.exe starts, and no copy of it
// or log is left behind.
TEST_F(Bds, AProjectThePatcherRefusesStopsTheBuildBeforeBdsStarts) {
    auto with = [](const std::string& inner) {
        std::string xml(project);
        return xml.insert(xml.rfind("</Project>"), inner + "\n");
    };
    auto nested = [&](std::size_t depth) {  // counting the root and ProjectExtensions
        std::string levels;
        for (std::size_t i = 2; i < depth; ++i) levels += "<N>";
        for (std::size_t i = 2; i < depth; ++i) levels += "</N>";
        return with("<ProjectExtensions>" + levels + "</ProjectExtensions>");
    };
    struct Case {
        std::string content;
        std::string error;  // after the row and column
    };
    const Case cases[] = {
        {nested(8000), "elements nested deeper than 1000 levels"},
        {nested(30000), "elements nested deeper than 1000 levels"},
        {with("<Cmd>a&foo;b</Cmd>"), "undefined entity &foo;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        toolchain.work.write(L"Project1.dproj", c.content);
        const auto logs_before = temp_logs();
        const auto r = run({"bds", "Project1.dproj", "-c", "Release"});
        EXPECT_EQ(r.status, 1u);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(matches(r.err, R"(Error: Malformed XML\. [0-9]+:[0-9]+ )" + regex_escape(c.error) + "\n")) << r.err;
        EXPECT_FALSE(toolchain.work.exists(L"tools.log"));
        EXPECT_EQ(toolchain.work.files(), (std::vector<std::string>{"Project1.dproj", "bds-log.txt"}));
        EXPECT_EQ(temp_logs(), logs_before);
    }
}

TEST(BdsErrors, AMissingIdeOrProjectStopsBeforeAnythingRuns) {
    struct Case {
        FakeTree tree;
        std::vector<std::string> args;
        std::string err_start;
    };
    const Case cases[] = {
        {{}, {"-a", "x64", "bds", "p.dproj"}, "Error: bds.exe not found (64-bit IDE not installed)\n"},
        {{.bds = false}, {"bds", "p.dproj"}, "Error: bds.exe not found\n"},
        {{.bds = false}, {"bds", "p.dproj", "--CompanyName", "A\x01" "B"}, "Error: bds.exe not found\n"},
        {{}, {"bds", "missing.dproj", "-p", "Win64"}, "Error: "},
    };
    for (const Case& c : cases) {
        const Toolchain other(c.tree);
        const auto r = other.run(c.args);
        EXPECT_EQ(r.status, 1u) << c.err_start;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with(c.err_start)) << r.err;
        EXPECT_FALSE(other.work.exists(L"tools.log")) << c.err_start;
    }
}

TEST(BdsArchitecture, TheGlobalArchitectureChoosesTheIde) {
    Toolchain both({.bds64 = true});
    InstallationSpec installation;
    both.registry.set(version_key(installation), L"App x64", both.root / L"bin64\\bds.exe");
    const auto r = both.run({"bds", "-a", "x64", "p.dproj"});
    EXPECT_EQ(r.status, 0u) << r.err;
    const auto ran = both.runs();
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_TRUE(ran[0].command_line.starts_with("\"" + both.root.utf8() + "\\bin64\\bds.exe\" p.dproj -b ")) << ran[0].command_line;
}

}  // namespace
}  // namespace kestrune::e2e
