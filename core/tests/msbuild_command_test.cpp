#include "backends/msbuild_command.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::backends {
namespace {

using catalogue::Architecture;
using catalogue::Platform;

BuildOptions project(std::wstring file) {
    BuildOptions options;
    options.file = std::move(file);
    return options;
}

TEST(MSBuildArguments, FollowTheOptionsInTheirFixedOrder) {
    BuildOptions spaced = project(L"src\\My App.dproj");
    spaced.config = "Release Candidate";

    BuildOptions everything = project(L"Project1.dproj");
    everything.config = "Release";
    everything.preferred_tool_architecture = Architecture::x64;
    everything.version_info.company_name = "ACME";
    everything.version_info.file_version = "1.2.0.0";
    everything.no_splash = true;

    BuildOptions empty_field = project(L"p.dproj");
    empty_field.version_info.company_name = "";

    BuildOptions no_pairs = project(L"p.dproj");
    no_pairs.version_info.raw = "nothing here";

    struct Case {
        const char* what;
        std::optional<Platform> platform;
        BuildOptions options;
        std::vector<std::wstring> arguments;
    };
    const Case cases[] = {
        {"only the file", std::nullopt, project(L"Project1.dproj"), {L"\"Project1.dproj\"", L"/t:Build"}},
        {"a blank puts the value in quotes, relative path kept", std::nullopt, spaced,
         {L"\"src\\My App.dproj\"", L"/t:Build", L"/p:Config=\"Release Candidate\""}},
        {"everything", Platform::Win64, everything,
         {L"\"Project1.dproj\"", L"/t:Build", L"/p:Config=Release", L"/p:Platform=Win64",
          L"/p:DCC_PreferredToolArchitecture=x64", L"/p:VerInfo_IncludeVerInfo=true",
          L"/p:VerInfo_Keys=\"CompanyName=ACME;FileVersion=1.2.0.0\"", L"/nologo"}},
        {"an empty field still gives version information", std::nullopt, empty_field,
         {L"\"p.dproj\"", L"/t:Build", L"/p:VerInfo_IncludeVerInfo=true", L"/p:VerInfo_Keys=\"CompanyName=\""}},
        {"raw text without pairs gives none", Platform::Win64x, no_pairs,
         {L"\"p.dproj\"", L"/t:Build", L"/p:Platform=Win64x"}},
    };
    for (const Case& c : cases) EXPECT_EQ(msbuild_arguments(c.platform, c.options), c.arguments) << c.what;
}

// What MSBuild would split, decode or take as a switch is escaped: quotes and backslashes by
// the system's splitting rules, MSBuild's special characters with its %XX escapes. In the
// version information only the keys and values are, not the separators.
TEST(MSBuildArguments, EscapeWhatMSBuildWouldReadOtherwise) {
    struct Case {
        std::string config;
        std::wstring argument;
    };
    const Case cases[] = {
        {"Debug", L"/p:Config=Debug"},
        {"", L"/p:Config="},
        {"a\tb", L"/p:Config=\"a\tb\""},
        {"no\u00a0break", L"/p:Config=\"no\u00a0break\""},
        {"a,b", L"/p:Config=\"a,b\""},
        {"A;B=C", L"/p:Config=A%3BB=C"},
        {"%41 $(X) @(Y) 'q' ?*", L"/p:Config=\"%2541 %24(X) %40(Y) %27q%27 %3F%2A\""},
        {"line\r\nbreak", L"/p:Config=line%0D%0Abreak"},
        {"a\"b", L"/p:Config=a\\\"b"},
        {"a\\\"b", L"/p:Config=a\\\\\\\"b"},
        {"dir\\", L"/p:Config=dir\\"},
        {"my dir\\", L"/p:Config=\"my dir\\\\\""},
        {"A&B|C", L"/p:Config=A&B|C"},
    };
    for (const Case& c : cases) {
        BuildOptions options = project(L"p.dproj");
        options.config = c.config;
        EXPECT_EQ(msbuild_arguments(std::nullopt, options).back(), c.argument) << c.config;
    }

    BuildOptions info = project(L"p.dproj");
    info.version_info.comments = "Built from C:\\src\\";
    info.version_info.company_name = "ACME \"Tools\"; 100%";
    info.version_info.raw = "a%b=x;y=1,2";
    EXPECT_EQ(msbuild_arguments(std::nullopt, info).back(),
              L"/p:VerInfo_Keys=\"a%25b=x;Comments=Built from C:\\src\\;CompanyName=ACME \\\"Tools\\\"%3B 100%25;y=1,2\"");

    struct Project {
        std::wstring file;
        std::wstring argument;
    };
    const Project projects[] = {
        {L"-t:Clean.dproj", L"\".\\-t:Clean.dproj\""},
        {L"@App.dproj", L"\".\\@App.dproj\""},
        {L"//server/share/App.dproj", L"\"\\\\server/share/App.dproj\""},
        {L"dir\\", L"\"dir\\\\\""},
        {L"a;b%41.dproj", L"\"a;b%41.dproj\""},
    };
    for (const Project& p : projects)
        EXPECT_EQ(msbuild_arguments(std::nullopt, project(p.file)).front(), p.argument) << win::to_utf8(p.file);
}

TEST(MSBuildCommand, IsCmdWithOneVerbatimText) {
    BuildOptions options = project(L"Project1.dproj");
    options.config = "Release";
    const win::ChildCommand command = msbuild_command("C:\\IDE\\bin\\rsvars.bat", Platform::Win64, options);
    EXPECT_EQ(win::command_line(command),
              L"\"cmd.exe\" /C \" \"C:\\IDE\\bin\\rsvars.bat\" && MSBuild.exe \"Project1.dproj\" /t:Build "
              L"/p:Config=Release /p:Platform=Win64 \"");

    // Outside cmd.exe's quoted stretches, which every quote opens or closes (one that MSBuild
    // reads as escaped too), its operators get a caret; inside them nothing changes.
    BuildOptions odd = project(L"a&b\" & \"c.dproj");
    odd.config = "D^\"E&F\"|G";
    odd.version_info.comments = "x\" & y";
    EXPECT_EQ(win::command_line(msbuild_command("C:\\R&D\\rsvars.bat", std::nullopt, odd)),
              L"\"cmd.exe\" /C \" \"C:\\R&D\\rsvars.bat\" && MSBuild.exe \"a&b\\\" ^& \\\"c.dproj\" /t:Build "
              L"/p:Config=D^^\\\"E&F\\\"^|G /p:VerInfo_IncludeVerInfo=true /p:VerInfo_Keys=\"Comments=x\\\" ^& y\" \"");
}

}  // namespace
}  // namespace kestrune::backends
