#include "build/msbuild_builder.hpp"

#include <gtest/gtest.h>

#include "win/utf.hpp"

namespace kestrune::build {
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
        {"blanks stay unquoted in the config, relative path kept", std::nullopt, spaced,
         {L"\"src\\My App.dproj\"", L"/t:Build", L"/p:Config=Release Candidate"}},
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

TEST(MSBuildCommand, IsCmdWithOneVerbatimText) {
    BuildOptions options = project(L"Project1.dproj");
    options.config = "Release";
    const win::ChildCommand command = msbuild_command("C:\\IDE\\bin\\rsvars.bat", Platform::Win64, options);
    EXPECT_EQ(win::command_line(command),
              L"\"cmd.exe\" /C \" \"C:\\IDE\\bin\\rsvars.bat\" && MSBuild.exe \"Project1.dproj\" /t:Build "
              L"/p:Config=Release /p:Platform=Win64 \"");

    // Outside cmd.exe's quoted stretches, which every quote opens or closes, its operators get a
    // caret; inside them nothing changes.
    BuildOptions odd = project(L"a&b\" & \"c.dproj");
    odd.config = "D^\"E&F\"|G";
    odd.version_info.comments = "x\" & y";
    EXPECT_EQ(win::command_line(msbuild_command("C:\\R&D\\rsvars.bat", std::nullopt, odd)),
              L"\"cmd.exe\" /C \" \"C:\\R&D\\rsvars.bat\" && MSBuild.exe \"a&b\" ^& \"c.dproj\" /t:Build "
              L"/p:Config=D^^\"E&F\"^|G /p:VerInfo_IncludeVerInfo=true /p:VerInfo_Keys=\"Comments=x\" ^& y\" \"");
}

TEST(MSBuildBuilder, ReturnsCmdsExitCodeAsSuccess) {
    // A script that does not exist makes cmd.exe fail; that is the child's failure, not ours.
    MSBuildBuilder builder("C:\\no\\such\\rsvars.bat");
    const BuildResult result = builder.build(std::nullopt, project(L"p.dproj"));
    ASSERT_TRUE(result) << result.error().message();
    EXPECT_NE(*result, 0u);
}

}  // namespace
}  // namespace kestrune::build
