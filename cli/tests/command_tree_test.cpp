#include "main/command_tree.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "args/parser.hpp"
#include "main/env_subcommands.hpp"
#include "main/path_subcommands.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

using testing::HasSubstr;
using testing::Not;

std::expected<args::Matches, args::Error> parse(std::vector<std::string> words) {
    static const args::Command tree = define_command_line();
    std::vector<std::wstring> argv{L"kestrune.exe"};
    for (const auto& w : words) argv.push_back(win::to_wide(w));
    return args::parse(tree, argv);
}

App parse_app(std::vector<std::string> words) {
    auto matches = parse(words);
    EXPECT_TRUE(matches.has_value()) << (matches ? "" : matches.error().render(false));
    if (!matches) return {};
    auto app = read_app(*matches);
    EXPECT_TRUE(app.has_value());
    return app ? std::move(*app) : App{};
}

args::ErrorKind error_kind(std::vector<std::string> words) {
    auto matches = parse(words);
    EXPECT_FALSE(matches.has_value());
    return matches ? args::ErrorKind::DisplayHelp : matches.error().kind();
}

std::string output_of(std::vector<std::string> words) {
    auto matches = parse(words);
    return matches ? std::string() : matches.error().render(false);
}

template <class T>
const T& command_of(const App& app);

// The command of a fresh parse, by value: nothing refers into the temporary App.
template <class T>
T parsed_command(std::vector<std::string> words) {
    const App app = parse_app(std::move(words));
    return command_of<T>(app);
}

template <class T>
const T& command_of(const App& app) {
    static const T empty{};
    if (!app.command || !std::holds_alternative<T>(*app.command)) {
        ADD_FAILURE() << "unexpected command";
        return empty;
    }
    return std::get<T>(*app.command);
}

TEST(CommandTree, GlobalOptionsAtEveryDepthLandOnTop) {
    const App inner = parse_app({"env-path", "add", "D:\\X", "-p", "Win64"});
    EXPECT_EQ(inner.global_options.platform, catalogue::Platform::Win64);
    const auto& env_path = command_of<commands::EnvPath>(inner);
    ASSERT_TRUE(env_path.command);
    EXPECT_EQ(env_path.command->kind, PathCommands::Kind::Add);
    EXPECT_EQ(env_path.command->item, L"D:\\X");

    const App before = parse_app({"--json", "build", "file.dproj"});
    const App after = parse_app({"build", "--json", "file.dproj"});
    EXPECT_TRUE(before.global_options.json);
    EXPECT_TRUE(after.global_options.json);
    EXPECT_EQ(command_of<commands::Build>(before).options, command_of<commands::Build>(after).options);
}

TEST(CommandTree, EnumeratedValuesIgnoreAsciiCaseAndTakeAliases) {
    struct Case {
        std::vector<std::string> words;
        std::optional<catalogue::Architecture> architecture;
        std::optional<catalogue::Platform> platform;
    } cases[] = {
        {{"-a", "X64"}, catalogue::Architecture::x64, {}},
        {{"--arch", "IntelX86"}, catalogue::Architecture::x86, {}},
        {{"--ide=32-bit"}, catalogue::Architecture::x86, {}},
        {{"--architecture", "64BIT"}, catalogue::Architecture::x64, {}},
        {{"--platform", "win64"}, {}, catalogue::Platform::Win64},
        {{"-p", "Win64X"}, {}, catalogue::Platform::Win64x},
        {{"-pWINARM64EC"}, {}, catalogue::Platform::WinARM64EC},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = c.words;
        words.push_back("info");
        const App app = parse_app(words);
        EXPECT_EQ(app.global_options.architecture, c.architecture) << c.words[0];
        EXPECT_EQ(app.global_options.platform, c.platform) << c.words[0];
    }
    EXPECT_EQ(parsed_command<commands::Build>({"build", "-t", "64bit", "p.dproj"}).options.preferred_tool_architecture,
              catalogue::Architecture::x64);
    EXPECT_EQ(parsed_command<commands::Build>({"build", "--pta=IntelX86", "p.dproj"}).options.preferred_tool_architecture,
              catalogue::Architecture::x86);
    EXPECT_EQ(error_kind({"--ARCH", "x64", "info"}), args::ErrorKind::UnknownArgument);
    EXPECT_EQ(error_kind({"build", "-t", "arm", "p.dproj"}), args::ErrorKind::InvalidValue);
}

TEST(CommandTree, HiddenAliasesWorkAndNeverShow) {
    struct Alias {
        std::vector<std::string> words;
        std::string_view subcommand;
    } aliases[] = {
        {{"msbuild", "p.dproj"}, "build"},
        {{"brcc32", "a.rc"}, "brcc"},
        {{"envpath"}, "env-path"},
        {{"path"}, "env-path"},
        {{"librarypath"}, "library-path"},
        {{"lib-path"}, "library-path"},
        {{"libpath"}, "library-path"},
        {{"browsingpath"}, "browsing-path"},
    };
    for (const auto& a : aliases) {
        const App app = parse_app(a.words);
        ASSERT_TRUE(app.command) << a.words[0];
        EXPECT_EQ(subcommand_of(*app.command).declaration.name, a.subcommand) << a.words[0];
    }
    // Inner aliases read as the inner subcommand they stand for.
    using Kind = PathCommands::Kind;
    EXPECT_EQ(parsed_command<commands::Env>({"env", "add", "N", "V"}).command, EnvCommands(EnvSet{"N", "V"}));
    EXPECT_EQ(parsed_command<commands::Env>({"env", "rm", "N"}).command, EnvCommands(EnvRemove{"N"}));
    EXPECT_EQ(parsed_command<commands::Env>({"env", "del", "N"}).command, EnvCommands(EnvRemove{"N"}));
    EXPECT_EQ(parsed_command<commands::EnvPath>({"env-path", "push", "X"}).command, (PathCommands{Kind::Add, L"X"}));
    EXPECT_EQ(parsed_command<commands::EnvPath>({"env-path", "append", "X"}).command, (PathCommands{Kind::Add, L"X"}));
    EXPECT_EQ(parsed_command<commands::EnvPath>({"env-path", "insert", "X"}).command, (PathCommands{Kind::Insert, L"X"}));
    EXPECT_EQ(parsed_command<commands::LibraryPath>({"library-path", "delete", "X"}).command,
              (PathCommands{Kind::Remove, L"X"}));
    EXPECT_TRUE(parse_app({"--nosplash", "info"}).global_options.no_splash);
    EXPECT_TRUE(parse_app({"info", "--ns"}).global_options.no_splash);
    EXPECT_TRUE(parse_app({"info", "--no-logo"}).global_options.no_splash);
    EXPECT_TRUE(parse_app({"--nologo", "info"}).global_options.no_splash);

    std::vector<std::vector<std::string>> helps{{"-h"}, {"--help"}};
    for (const auto& s : subcommands()) {
        helps.push_back({std::string(s.declaration.name), "--help"});
        helps.push_back({std::string(s.declaration.name), "-h"});
    }
    for (const char* inner : {"env set", "env remove", "env-path add", "env-path remove", "library-path add"}) {
        std::string first(inner, std::string_view(inner).find(' '));
        helps.push_back({first, std::string(std::string_view(inner).substr(first.size() + 1)), "--help"});
    }
    const std::vector<std::string> hidden{"msbuild", "brcc32 ", "envpath", "librarypath", "lib-path", "libpath",
                                          "browsingpath", "--arch ", "--ide", "--nosplash", "--no-logo", "--nologo",
                                          "--ns ", "--pta", "--tool ", "--tools", "--toolarch", "--tool-arch", "push",
                                          "append", " rm ", "delete", " del ", "IntelX86", "32bit", "IntelX64", "64bit"};
    for (const auto& words : helps) {
        auto matches = parse(words);
        ASSERT_FALSE(matches.has_value());
        ASSERT_EQ(matches.error().kind(), args::ErrorKind::DisplayHelp) << words[0];
        const std::string text = matches.error().render(false);
        for (const auto& h : hidden) EXPECT_THAT(text, Not(HasSubstr(h))) << words[0] << " " << words.back();
    }
}

TEST(CommandTree, CompilerOptions) {
    const App dcc_app = parse_app({"dcc32", "-d", "DEBUG", "--define", "A;B", "--output-dir=", "-bq", "P.dpr", "--", "-$D+", "--build",
                   "--"});
    const auto& dcc = command_of<commands::Dcc32>(dcc_app);
    EXPECT_EQ(dcc.options.file, L"P.dpr");
    EXPECT_EQ(dcc.options.define, (std::vector<std::string>{"DEBUG", "A;B"}));
    EXPECT_EQ(dcc.options.output_dir, std::string());
    EXPECT_FALSE(dcc.options.unit_output_dir.has_value());
    EXPECT_TRUE(dcc.options.build);
    EXPECT_TRUE(dcc.options.quiet);
    EXPECT_EQ(dcc.options.raw, (std::vector<std::string>{"-$D+", "--build", "--"}));
    EXPECT_EQ(dcc.options.alias, backends::default_alias);
    EXPECT_EQ(dcc.options.namespace_, backends::default_namespace);

    const App empty_alias_app = parse_app({"dcc", "--alias", "", "P.dpr", "--"});
    const auto& empty_alias = command_of<commands::Dcc>(empty_alias_app);
    EXPECT_EQ(empty_alias.options.alias, "");
    EXPECT_TRUE(empty_alias.options.raw.empty());

    const App compile_app = parse_app({"package", "compile", "--install", "Pkg.dpk", "--package-bpl-output-dir", "out"});
    const auto& compile = command_of<commands::Package>(compile_app);
    ASSERT_TRUE(std::holds_alternative<PackageCompile>(compile.command));
    EXPECT_TRUE(std::get<PackageCompile>(compile.command).install);
    // Installing needs to know where the package goes.
    EXPECT_EQ(error_kind({"package", "compile", "--install", "Pkg.dpk"}), args::ErrorKind::MissingRequiredArgument);
    EXPECT_THAT(output_of({"package", "compile", "--install", "Pkg.dpk"}),
                HasSubstr("not provided:\n  --package-bpl-output-dir <PACKAGE_BPL_OUTPUT_DIR>\n"));

    EXPECT_EQ(error_kind({"dcc", "--quiet", "--quiet", "P.dpr"}), args::ErrorKind::ArgumentUsedTwice);
    EXPECT_THAT(output_of({"dcc", "--quiet", "--quiet", "P.dpr"}), HasSubstr("the argument '--quiet' cannot be used multiple times"));
    EXPECT_EQ(error_kind({"dcc", "P.dpr", "extra"}), args::ErrorKind::UnexpectedArgument);
    EXPECT_EQ(error_kind({"dcc", ""}), args::ErrorKind::InvalidValue);
}

// The compiler and build options are declared from tables: names, value names, help texts,
// defaults, headings and order, all of it as the user reads it.
TEST(CommandTree, CompilerAndBuildOptionsHelp) {
    EXPECT_EQ(output_of({"dcc", "-h"}),
              "Delphi command-line compiler\n"
              "\n"
              "Usage: kestrune.exe dcc [OPTIONS] <FILE> [-- <RAW>...]\n"
              "\n"
              "Arguments:\n"
              "  <FILE>    Specify the filename for compiling\n"
              "  [RAW]...  Additional options to pass to the compiler\n"
              "\n"
              "Options:\n"
              "      --no-config                                        Do not load default dcc*.cfg file\n"
              "      --no-hints                                         Do not output hint messages\n"
              "      --no-warnings                                      Do not output warning messages\n"
              "      --alias <ALIAS>                                    Set unit aliases [default: Generics.Collections=System.Generics.Collections;Generics.Defaults=System.Generics.Defaults;WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE]\n"
              "      --namespace <NAMESPACE>                            Set namespace search path (Unit scope names) [default: Winapi;System.Win;Data.Win;Datasnap.Win;Web.Win;Soap.Win;Xml.Win;Bde;System;Xml;Data;Datasnap;Web;Soap;Vcl;Vcl.Imaging;Vcl.Touch;Vcl.Samples;Vcl.Shell;IBX;VclTee]\n"
              "  -d, --define <DEFINE>                                  Define conditionals\n"
              "      --unit-search-dirs <UNIT_SEARCH_DIRS>              Unit search directories\n"
              "      --resource-search-dirs <RESOURCE_SEARCH_DIRS>      Resource search directories\n"
              "      --include-search-dirs <INCLUDE_SEARCH_DIRS>        Include search directories\n"
              "  -b, --build                                            Build all units\n"
              "  -q, --quiet                                            Quiet compile\n"
              "      --output-dir <OUTPUT_DIR>                          EXE/DLL output directory\n"
              "      --unit-output-dir <UNIT_OUTPUT_DIR>                Unit .dcu output directory\n"
              "      --package-bpl-output-dir <PACKAGE_BPL_OUTPUT_DIR>  Package .bpl output directory\n"
              "      --package-dcp-output-dir <PACKAGE_DCP_OUTPUT_DIR>  Package .dcp output directory\n"
              "      --cpp                                              Generate all C++Builder files\n"
              "      --cpp-win64x                                       Generate COFF-format C++ files\n"
              "      --cpp-bpi-output-dir <CPP_BPI_OUTPUT_DIR>          C++ .bpi output directory\n"
              "      --cpp-hpp-output-dir <CPP_HPP_OUTPUT_DIR>          C++ .hpp output directory\n"
              "      --cpp-obj-output-dir <CPP_OBJ_OUTPUT_DIR>          C++ .obj/.lib output directory\n"
              "  -h, --help                                             Print help (see more with '--help')\n"
              "\n"
              "Global Options:\n"
              "  -a, --architecture <ARCH>  Specify the toolchain or IDE architecture [possible values: x86, x64]\n"
              "  -p, --platform <PLATFORM>  Specify the target platform [possible values: Win32, Win64, Win64x, WinARM64EC, OSX64, OSXARM64, Linux64, Android32, Android64, IOSDevice64]\n"
              "      --json                 Output JSON format data\n"
              "      --no-splash            No splash screen or no logo\n");
    EXPECT_EQ(output_of({"build", "--help"}),
              "Build project with MSBuild\n"
              "\n"
              "Usage: kestrune.exe build [OPTIONS] <FILE>\n"
              "\n"
              "Arguments:\n"
              "  <FILE>\n"
              "          Specify project file\n"
              "\n"
              "Options:\n"
              "  -c, --config <CONFIG>\n"
              "          Specify the configuration name (e.g., Debug or Release).\n"
              "\n"
              "          If omitted, the default configuration defined in the project file is used.\n"
              "\n"
              "  -t, --preferred-tool-architecture <ARCH>\n"
              "          Defines whether to use 32-bit or 64-bit command-line tools and compilers\n"
              "\n"
              "          Possible values:\n"
              "          - x86: 32-bit\n"
              "          - x64: 64-bit\n"
              "\n"
              "  -h, --help\n"
              "          Print help (see a summary with '-h')\n"
              "\n"
              "Include Version Information:\n"
              "      --CompanyName <COMPANY_NAME>\n"
              "          Company that produced the file — for example, Microsoft Corporation\n"
              "\n"
              "      --FileDescription <FILE_DESCRIPTION>\n"
              "          File description to be presented to users\n"
              "\n"
              "      --FileVersion <FILE_VERSION>\n"
              "          Version number of the file — for example, 3.10 or 5.00.RC2\n"
              "\n"
              "      --InternalName <INTERNAL_NAME>\n"
              "          Internal name of the file, if one exists\n"
              "\n"
              "      --LegalCopyright <LEGAL_COPYRIGHT>\n"
              "          Copyright notices that apply to the file\n"
              "\n"
              "      --LegalTrademarks <LEGAL_TRADEMARKS>\n"
              "          Trademarks and registered trademarks that apply to the file\n"
              "\n"
              "      --OriginalFilename <ORIGINAL_FILENAME>\n"
              "          Original name of the file, not including a path\n"
              "\n"
              "      --ProductName <PRODUCT_NAME>\n"
              "          Name of the product with which the file is distributed\n"
              "\n"
              "      --ProductVersion <PRODUCT_VERSION>\n"
              "          Version of the product with which the file is distributed — for example, 3.10 or 5.00.RC2\n"
              "\n"
              "      --Comments <COMMENTS>\n"
              "          Additional information that should be displayed for diagnostic purposes\n"
              "\n"
              "      --VersionInfo <RAW>\n"
              "          Specify version information in the format \"key1=value1;key2=value2;...\"\n"
              "\n"
              "          Values specified by individual options with the same names override those specified here.\n"
              "\n"
              "Global Options:\n"
              "  -a, --architecture <ARCH>\n"
              "          Specify the toolchain or IDE architecture\n"
              "\n"
              "          Possible values:\n"
              "          - x86: 32-bit\n"
              "          - x64: 64-bit\n"
              "\n"
              "  -p, --platform <PLATFORM>\n"
              "          Specify the target platform\n"
              "\n"
              "          Possible values:\n"
              "          - Win32: 32-bit Intel Windows\n"
              "          - Win64: 64-bit Intel Windows\n"
              "          - Win64x: 64-bit Intel Windows (Modern), only available for C++ Builder\n"
              "          - WinARM64EC: 64-bit Arm64EC Windows\n"
              "          - OSX64: 64-bit Intel macOS\n"
              "          - OSXARM64: 64-bit ARM macOS\n"
              "          - Linux64: 64-bit Intel Linux\n"
              "          - Android32: 32-bit Android\n"
              "          - Android64: 64-bit Android\n"
              "          - IOSDevice64: 64-bit iOS\n"
              "\n"
              "      --json\n"
              "          Output JSON format data\n"
              "\n"
              "      --no-splash\n"
              "          No splash screen or no logo\n");
}

TEST(CommandTree, BuildOptions) {
    const App build_app = parse_app(
        {"build", "--config=", "--CompanyName", "ACME", "--VersionInfo", "CompanyName=Other", "Project1.dproj"});
    const auto& build = command_of<commands::Build>(build_app);
    EXPECT_EQ(build.options.file, L"Project1.dproj");
    EXPECT_EQ(build.options.config, std::string());
    EXPECT_EQ(build.options.version_info.company_name, "ACME");
    EXPECT_EQ(build.options.version_info.raw, "CompanyName=Other");
    EXPECT_FALSE(build.options.no_splash);
    EXPECT_FALSE(parsed_command<commands::Bds>({"bds", "p.groupproj"}).options.config.has_value());

    EXPECT_EQ(error_kind({"build"}), args::ErrorKind::MissingRequiredArgument);
    EXPECT_EQ(error_kind({"build", ""}), args::ErrorKind::InvalidValue);
    EXPECT_EQ(error_kind({"build", "-V"}), args::ErrorKind::UnknownArgument);
    EXPECT_EQ(error_kind({"build", "-c", "A", "-c", "B", "p.dproj"}), args::ErrorKind::ArgumentUsedTwice);
}

TEST(CommandTree, OtherSubcommandsRead) {
    const App brcc_app = parse_app({"brcc", "app.rc", "out\\app.res"});
    const auto& brcc = command_of<commands::Brcc>(brcc_app);
    EXPECT_EQ(brcc.options.input_rc, L"app.rc");
    EXPECT_EQ(brcc.options.output_res, std::wstring(L"out\\app.res"));
    const App reg_app = parse_app({"package", "register", "pkgs\\My.bpl", ""});
    const auto& reg = command_of<commands::Package>(reg_app);
    EXPECT_EQ(std::get<PackageRegister>(reg.command), (PackageRegister{L"pkgs\\My.bpl", ""}));
    EXPECT_EQ(parsed_command<commands::Select>({"select"}).options, (SelectOptions{"Select IDE:", false}));
    EXPECT_EQ(parsed_command<commands::Select>({"select", "-m", "Pick:"}).options, (SelectOptions{"Pick:", true}));
    EXPECT_EQ(parsed_command<commands::Self_>({"self", "uninstall"}).command, SelfCommands::Uninstall);
    EXPECT_FALSE(parsed_command<commands::LibraryPath>({"library-path"}).command.has_value());
    EXPECT_FALSE(parsed_command<commands::Env>({"env"}).command.has_value());
    EXPECT_FALSE(parse_app({"--json"}).command.has_value());
    EXPECT_EQ(error_kind({"env-path", "add"}), args::ErrorKind::MissingRequiredArgument);
}

TEST(CommandTree, HelpWhenNothingIsGiven) {
    EXPECT_EQ(error_kind({}), args::ErrorKind::DisplayHelpOnEmpty);
    EXPECT_EQ(error_kind({"package"}), args::ErrorKind::DisplayHelpOnEmpty);
    EXPECT_EQ(error_kind({"self"}), args::ErrorKind::DisplayHelpOnEmpty);
    EXPECT_EQ(error_kind({"package", "--json"}), args::ErrorKind::MissingSubcommand);
    auto empty = parse({"self"});
    ASSERT_FALSE(empty);
    EXPECT_TRUE(empty.error().to_stderr());
    EXPECT_EQ(empty.error().exit_code(), 2);
}

TEST(CommandTree, LongAboutOnlyInLongHelp) {
    const std::string tail = "This command uses exactly the same command-line options as the `build` command";
    EXPECT_THAT(output_of({"help", "bds"}), HasSubstr(tail));
    EXPECT_THAT(output_of({"bds", "--help"}), HasSubstr(tail));
    const std::string short_help = output_of({"bds", "-h"});
    EXPECT_THAT(short_help, HasSubstr("Build project with bds.exe"));
    EXPECT_THAT(short_help, Not(HasSubstr(tail)));
}

TEST(CommandTree, ErrorsSuggestNearNames) {
    EXPECT_THAT(output_of({"env-path", "ad", "X"}), HasSubstr("'add'"));
    EXPECT_THAT(output_of({"info", "--jsn"}), HasSubstr("'--json'"));
    EXPECT_THAT(output_of({"--versoin"}), HasSubstr("'--version'"));
}

// NAME stands before the subcommand; the tip shows where a NAME given after it belongs.
TEST(CommandTree, NameAfterTheSubcommandIsShownItsPlace) {
    EXPECT_EQ(output_of({"info", "12"}),
              "error: unexpected argument '12' found\n"
              "\n"
              "  tip: to pass '12' as '[NAME]', put it before the subcommand: 'kestrune.exe 12 info'\n"
              "\n"
              "Usage: kestrune.exe info [OPTIONS]\n"
              "\n"
              "For more information, try '--help'.\n");
}

TEST(CommandTree, InnerSubcommandNamesAreExact) {
    EXPECT_TRUE(is_path_subcommand("insert"));
    EXPECT_FALSE(is_path_subcommand("Add"));
    EXPECT_FALSE(is_env_subcommand("add"));
    EXPECT_TRUE(is_env_subcommand("remove"));
}

}  // namespace
}  // namespace kestrune::cli
