#include "backends/patcher/project_group.hpp"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "backends/patcher/project_xml.hpp"
#include "scratch_directory.hpp"
#include "win/path.hpp"

namespace kestrune::backends::patcher {
namespace {

using catalogue::Platform;

// First group, base group and two configuration groups, as the IDE writes them.
constexpr std::string_view standard_project = R"(<Project xmlns="urn:msbuild">
    <PropertyGroup>
        <Config Condition="'$(Config)'==''">Debug</Config>
        <Platform Condition="'$(Platform)'==''">Win32</Platform>
    </PropertyGroup>
    <PropertyGroup Condition="'$(Base)'!=''">
        <DCC_E>false</DCC_E>
    </PropertyGroup>
    <PropertyGroup Condition="'$(Config)'=='Debug' And '$(Platform)'=='Win64'">
        <PreBuildEvent>echo debug64</PreBuildEvent>
    </PropertyGroup>
    <PropertyGroup Condition="'$(Config)'=='Release' And '$(Platform)'=='Win32'">
        <PreBuildEvent>echo release32</PreBuildEvent>
        <PostBuildEvent>echo post release32</PostBuildEvent>
    </PropertyGroup>
</Project>)";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(text.substr(start, end - start));
    out.push_back(text.substr(start));
    return out;
}

class PatchProjectFile : public testing::Test {
protected:
    scratch::Directory dir;
    BuildOptions options;
    std::optional<Platform> platform;
    std::optional<PatchedCopy> files;
    std::string copy_text;
    pugi::xml_document copy;

    // Writes the project, patches it and, when a copy comes out, reads and parses it.
    void patch(std::string_view xml, std::string_view name = "Project1.dproj") {
        options.file = dir.write(name, xml);
        auto result = patch_project({options.file, std::nullopt}, platform, options);
        ASSERT_TRUE(result) << result.error().message();
        files = std::move(*result);
        if (!files) return;
        ASSERT_TRUE(files->members.empty());
        copy_text = scratch::read_file(files->copy.path());
        ASSERT_TRUE(copy.load_string(copy_text.c_str(), pugi::parse_default | pugi::parse_comments)) << copy_text;
    }

    pugi::xml_node root() const { return copy.document_element(); }
    pugi::xml_node first_group() const { return root().child("PropertyGroup"); }
    pugi::xml_node base_group() const {
        return root().find_child_by_attribute("PropertyGroup", "Condition", "'$(Base)'!=''");
    }
    // The names of the node's child elements, with the text of each one that has text.
    static std::vector<std::string> contents(pugi::xml_node node) {
        std::vector<std::string> out;
        for (pugi::xml_node child : node.children())
            out.push_back(std::string(child.name()) + (child.text().empty() ? "" : "=" + std::string(child.text().get())));
        return out;
    }
    static std::vector<std::string> names(pugi::xml_node node) {
        std::vector<std::string> out;
        for (pugi::xml_node child : node.children()) out.emplace_back(child.name());
        return out;
    }
    std::string event(const char* name) const { return child_text(base_group(), name).value_or("<none>"); }
};

TEST_F(PatchProjectFile, WritesTheWholeCopyForASmallProject) {
    options.config = "Release";
    options.preferred_tool_architecture = catalogue::Architecture::x64;
    options.version_info.company_name = "ACME";
    platform = Platform::Win64;
    patch(R"(<?xml version="1.0" encoding="utf-8"?>
<Project xmlns="urn:msbuild">
    <!--settings-->
    <PropertyGroup>
        <Config Condition="'$(Config)'==''">Debug</Config>
        <ProjectVersion>20.1</ProjectVersion>
    </PropertyGroup>
    <PropertyGroup Condition="'$(Base)'!=''">
        <DCC_E>false</DCC_E>
        <PreBuildEvent>base pre</PreBuildEvent>
    </PropertyGroup>
    <PropertyGroup Condition="'$(Config)'=='Release' And '$(Platform)'=='Win64'">
        <PreBuildEvent>echo pre</PreBuildEvent>
        <PostBuildEvent>echo post</PostBuildEvent>
        <DCC_PreferredToolArchitecture>x86</DCC_PreferredToolArchitecture>
    </PropertyGroup>
    <ItemGroup>
        <DelphiCompile Include="Project1.dpr"/>
    </ItemGroup>
</Project>
)");
    ASSERT_TRUE(files);
    EXPECT_EQ(copy_text,
              "<Project xmlns=\"urn:msbuild\">\n"
              "    <PropertyGroup>\n"
              "        <ProjectVersion>20.1</ProjectVersion>\n"
              "        <DCC_UseMSBuildExternally>true</DCC_UseMSBuildExternally>\n"
              "        <DCC_PreferredToolArchitecture>x64</DCC_PreferredToolArchitecture>\n"
              "        <VerInfo_IncludeVerInfo>true</VerInfo_IncludeVerInfo>\n"
              "        <VerInfo_Keys>CompanyName=ACME</VerInfo_Keys>\n"
              "        <Config>Release</Config>\n"
              "        <Platform>Win64</Platform>\n"
              "    </PropertyGroup>\n"
              "    <!-- settings -->\n"
              "    <PropertyGroup Condition=\"'$(Base)'!=''\">\n"
              "        <DCC_E>false</DCC_E>\n"
              "        <PreBuildEvent><![CDATA["
              "(IF EXIST \"$(BRCC_OutputDir)$(MSBuildProjectName).res\" COPY \"$(BRCC_OutputDir)$(MSBuildProjectName).res\" "
              "\"$(BRCC_OutputDir)Project1.res\" /Y)\n"
              "(IF EXIST \"$(MSBuildProjectName)Resource.rc\" COPY \"$(MSBuildProjectName)Resource.rc\" \"Project1Resource.rc\" /Y)\n"
              "(IF EXIST \"$(MSBuildProjectName).dres\" COPY \"$(MSBuildProjectName).dres\" \"Project1.dres\" /Y)\n"
              "echo pre\n"
              "$(PreBuildEvent)]]></PreBuildEvent>\n"
              "        <PostBuildEvent><![CDATA[echo post\n"
              "$(PostBuildEvent)\n"
              "DEL \"$(BRCC_OutputDir)$(MSBuildProjectName).res\"\n"
              "DEL \"$(MSBuildProjectName)Resource.rc\"\n"
              "DEL \"$(MSBuildProjectName).dres\"\n"
              "DEL \"$(OutputDir)$(MSBuildProjectName).cmds\" ]]></PostBuildEvent>\n"
              "    </PropertyGroup>\n"
              "    <PropertyGroup Condition=\"'$(Config)'=='Release' And '$(Platform)'=='Win64'\" />\n"
              "    <ItemGroup>\n"
              "        <DelphiCompile Include=\"Project1.dpr\" />\n"
              "    </ItemGroup>\n"
              "</Project>");
}

TEST_F(PatchProjectFile, NothingAskedForGivesNoCopyWithoutOpeningTheFile) {
    options.file = (dir / L"missing.dproj");
    const auto result = patch_project({options.file, std::nullopt}, std::nullopt, options);
    ASSERT_TRUE(result) << result.error().message();
    EXPECT_FALSE(*result);
}

TEST_F(PatchProjectFile, OnlyAPlatformReplacesThePlatformAndKeepsTheConfig) {
    platform = Platform::Win64;
    patch(standard_project);
    ASSERT_TRUE(files);
    EXPECT_EQ(contents(first_group()), (std::vector<std::string>{"Config=Debug", "Platform=Win64"}));
    EXPECT_TRUE(first_group().child("Config").attribute("Condition"));
    EXPECT_FALSE(first_group().child("Platform").attribute("Condition"));
    EXPECT_EQ(lines(event("PreBuildEvent"))[3], "echo debug64");
}

// bds.exe would build the project's saved settings instead of those asked for: a project that
// cannot carry them is refused, naming the options and why, and nothing is written.
TEST_F(PatchProjectFile, ProjectsWithoutTheExpectedShapeAreRefused) {
    const std::string tail = R"(<PropertyGroup Condition="'$(Base)'!=''"/></Project>)";
    const std::string no_group = "no property group to carry the options: ";
    struct Case {
        std::string xml;
        std::optional<std::string> config;
        std::optional<Platform> platform;
        std::string options;  // as the refusal names them
        std::string refusal;  // after the file
    };
    const Case cases[] = {
        {R"(<Project><PropertyGroup Condition="'$(Config)'==''"><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>)" + tail,
         "Release", std::nullopt, "--config", no_group + "the project's first PropertyGroup has attributes"},
        {R"(<Project><PropertyGroup Label="Globals"><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>)" + tail,
         "Release", std::nullopt, "--config", no_group + "the project's first PropertyGroup has attributes"},
        {"<Project><ItemGroup/></Project>", "Release", Platform::Win64, "--config and --platform",
         no_group + "the project has no PropertyGroup"},
        {"<Project><PropertyGroup><Config>Debug</Config></PropertyGroup></Project>", std::nullopt, Platform::Win64,
         "--platform", no_group + "the project has no PropertyGroup with Condition=\"'$(Base)'!=''\""},
        {R"(<Project><PropertyGroup><Config>Debug</Config></PropertyGroup><PropertyGroup Condition="'$(Base)' != ''"/></Project>)",
         std::nullopt, Platform::Win64, "--platform",
         no_group + "the project has no PropertyGroup with Condition=\"'$(Base)'!=''\""},
        {"<Project><PropertyGroup><Platform>Win32</Platform></PropertyGroup>" + tail, std::nullopt, Platform::Win64,
         "--platform", "no configuration to build: the project's first PropertyGroup names none, and --config was not given"},
        {"<Project><PropertyGroup><Config>Debug</Config></PropertyGroup>" + tail, "Release", std::nullopt, "--config",
         "no platform to build: the project's first PropertyGroup names none, and --platform was not given"},
        {"<Project><PropertyGroup><Config/></PropertyGroup>" + tail, std::nullopt, Platform::Win64, "--platform",
         "no configuration to build: the project's first PropertyGroup names none, and --config was not given"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        options.config = c.config;
        options.file = dir.write("Project1.dproj", c.xml);
        const auto result = patch_project({options.file, std::nullopt}, c.platform, options);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().kind(), ProjectError::Kind::Refused);
        EXPECT_EQ(result.error().message(), "cannot apply " + c.options + " to \"" + win::to_utf8(options.file) + "\": " + c.refusal);
        EXPECT_EQ(dir.files(), std::vector<std::string>{"Project1.dproj"});
    }
}

TEST_F(PatchProjectFile, AGivenConfigurationIsAppendedWhenTheFirstGroupHasNone) {
    options.config = "Release";
    patch(R"(<Project><PropertyGroup><Platform>Win32</Platform></PropertyGroup>
             <PropertyGroup Condition="'$(Base)'!=''"/>
             <PropertyGroup Condition="'$(Config)'=='Release' And '$(Platform)'=='Win32'">
                 <PostBuildEvent>echo post</PostBuildEvent></PropertyGroup></Project>)");
    ASSERT_TRUE(files);
    EXPECT_EQ(contents(first_group()), (std::vector<std::string>{"Platform=Win32", "Config=Release"}));
    EXPECT_EQ(lines(event("PostBuildEvent"))[0], "echo post");
}

TEST_F(PatchProjectFile, TheFirstOfTwoConfigElementsCounts) {
    options.version_info.file_version = "1.0";
    patch(R"(<Project><PropertyGroup><Config>Release</Config><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>)" +
          std::string(standard_project.substr(standard_project.find("<PropertyGroup Condition=\"'$(Base)'"))));
    ASSERT_TRUE(files);
    EXPECT_EQ(lines(event("PreBuildEvent"))[3], "echo release32");
    EXPECT_EQ(contents(first_group()), (std::vector<std::string>{"Config=Release", "Config=Debug", "Platform=Win32",
                                                                 "VerInfo_IncludeVerInfo=true", "VerInfo_Keys=FileVersion=1.0"}));
}

TEST_F(PatchProjectFile, WithoutAConfigurationGroupTheOldEventsAreEmpty) {
    options.config = "Staging";
    patch(standard_project);
    ASSERT_TRUE(files);
    const auto pre = lines(event("PreBuildEvent"));
    ASSERT_EQ(pre.size(), 5u);
    EXPECT_EQ(pre[3], "");
    EXPECT_EQ(pre[4], "$(PreBuildEvent)");
    EXPECT_EQ(event("PostBuildEvent").rfind("\n$(PostBuildEvent)\nDEL ", 0), 0u);
    // The events of other configurations are removed too.
    EXPECT_EQ(copy_text.find("echo release32"), std::string::npos);
    EXPECT_EQ(copy_text.find("echo debug64"), std::string::npos);
}

TEST_F(PatchProjectFile, NewPropertiesReplaceOldOnesOutsideTheBaseGroup) {
    options.version_info.company_name = "ACME";
    options.preferred_tool_architecture = catalogue::Architecture::x86;
    patch(R"(<Project>
        <PropertyGroup><Config>Debug</Config><Platform>Win32</Platform><VerInfo_Keys>first</VerInfo_Keys></PropertyGroup>
        <PropertyGroup Condition="'$(Base)'!=''"><VerInfo_Keys>base</VerInfo_Keys><DCC_UseMSBuildExternally>false</DCC_UseMSBuildExternally></PropertyGroup>
        <PropertyGroup Condition="'$(Config)'=='Debug' And '$(Platform)'=='Win32'"><VerInfo_Keys>debug</VerInfo_Keys></PropertyGroup>
        <ProjectExtensions><Deep><VerInfo_IncludeVerInfo>false</VerInfo_IncludeVerInfo></Deep></ProjectExtensions>
    </Project>)");
    ASSERT_TRUE(files);
    EXPECT_EQ(contents(first_group()),
              (std::vector<std::string>{"Config=Debug", "Platform=Win32", "DCC_UseMSBuildExternally=true",
                                        "DCC_PreferredToolArchitecture=x86", "VerInfo_IncludeVerInfo=true",
                                        "VerInfo_Keys=CompanyName=ACME"}));
    EXPECT_EQ(names(base_group()),
              (std::vector<std::string>{"VerInfo_Keys", "DCC_UseMSBuildExternally", "PreBuildEvent", "PostBuildEvent"}));
    EXPECT_EQ(base_group().child("VerInfo_Keys").text().get(), std::string("base"));
    EXPECT_EQ(copy_text.find("debug</"), std::string::npos) << copy_text;
    EXPECT_EQ(copy_text.find("<VerInfo_IncludeVerInfo>false"), std::string::npos) << copy_text;
    EXPECT_NE(copy_text.find("<Deep />"), std::string::npos) << copy_text;
}

// A stray property before the base group is removed; the base group must keep its place
// instead of being put back at an index that no longer exists.
TEST_F(PatchProjectFile, RemovingAnElementBeforeTheBaseGroupKeepsTheGroupInPlace) {
    options.version_info.comments = "c";
    patch(R"(<Project><PropertyGroup><Config>Debug</Config><Platform>Win32</Platform></PropertyGroup>
             <VerInfo_Keys>stray</VerInfo_Keys><PropertyGroup Condition="'$(Base)'!=''"/></Project>)");
    ASSERT_TRUE(files);
    EXPECT_EQ(names(root()), (std::vector<std::string>{"PropertyGroup", "PropertyGroup"}));
    EXPECT_TRUE(root().last_child().attribute("Condition"));
}

TEST_F(PatchProjectFile, TheCopyIsNamedAfterTheStemBesideTheProjectAndGoesWithItsCompanion) {
    options.config = "Debug";
    const scratch::CurrentDirectory cwd(dir.path());
    dir.write("My.App.DPROJ", standard_project);
    auto result = patch_project({L"My.App.DPROJ", std::nullopt}, std::nullopt, options);
    ASSERT_TRUE(result && *result);
    PatchedCopy& patched = **result;
    const std::wstring copy = patched.copy.path();
    const std::wstring prefix = dir.path() + L"\\My.App.";
    EXPECT_TRUE(copy.starts_with(prefix) && copy.ends_with(L".DPROJ") && copy.size() == prefix.size() + 12)
        << win::to_utf8(copy);
    EXPECT_EQ(patched.companion.path(), copy + L".local");
    EXPECT_NE(scratch::read_file(copy).find("\"$(BRCC_OutputDir)My.App.res\""), std::string::npos);

    dir.write(win::to_utf8(copy.substr(dir.path().size() + 1)) + ".local", "left by the IDE");
    EXPECT_EQ(dir.files().size(), 3u);
    patched.copy.reset();
    patched.companion.reset();
    EXPECT_EQ(dir.files(), std::vector<std::string>{"My.App.DPROJ"});
}

TEST_F(PatchProjectFile, AnUnreadableOrMalformedProjectIsAnError) {
    options.config = "Release";
    const auto missing = patch_project({L"missing.dproj", dir.path()}, std::nullopt, options);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind(), ProjectError::Kind::Io);

    const std::wstring broken = dir.write("broken.dproj", "<Project><PropertyGroup>");
    const auto malformed = patch_project({broken, std::nullopt}, std::nullopt, options);
    ASSERT_FALSE(malformed);
    EXPECT_EQ(malformed.error().kind(), ProjectError::Kind::XmlParse);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"broken.dproj"});
}

}  // namespace
}  // namespace kestrune::backends::patcher
