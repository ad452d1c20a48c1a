// package: design-time packages registered with an IDE, unregistered, and compiled then
// registered, checked in the registry afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.hpp"
#include "ide_settings.hpp"
#include "tool_log.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {
namespace {

using ::testing::HasSubstr;

class Package : public IdeSettings {
protected:
    static inline const std::wstring packages32 = version + L"\\Known Packages";
    static inline const std::wstring packages64 = version + L"\\Known Packages x64";

    // Every registration of a list as name = data, REG_SZ only.
    std::vector<std::pair<std::wstring, std::wstring>> registrations(const std::wstring& key) const {
        std::vector<std::pair<std::wstring, std::wstring>> out;
        for (const std::wstring& name : registry.value_names(key)) {
            const auto value = registry.get(key, name);
            EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << ::testing::PrintToString(name);
            out.emplace_back(name, value->text);
        }
        return out;
    }
    using Registrations = std::vector<std::pair<std::wstring, std::wstring>>;
};

TEST_F(Package, RegistersWithTheOnlyInstalledIdeSilently) {
    install(false, true);
    const auto r = run({"package", "register", "C:\\pkgs\\MyComps.bpl", "My components"});
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(registrations(packages64), (Registrations{{L"C:\\pkgs\\MyComps.bpl", L"My components"}}));
    EXPECT_FALSE(registry.key_exists(packages32));
}

TEST_F(Package, ChoosesTheIdeFromArchitectureThenPlatform) {
    struct Case {
        bool ide32, ide64;
        std::vector<std::string> options;
        const std::wstring* key;  // nullptr: refused
        std::string err;
    };
    const Case cases[] = {
        {true, true, {}, nullptr, "Error: IDE architecture must be specified\n"},
        {false, false, {}, nullptr, "Error: IDE architecture must be specified\n"},
        {true, true, {"-a", "x86"}, &packages32, ""},
        {true, true, {"-p", "Win64"}, &packages64, ""},
        {true, true, {"-p", "Win64", "-a", "x86"}, &packages32, ""},
        {true, false, {}, &packages32, ""},
        {true, true, {"-p", "Linux64"}, nullptr, "Error: the current IDE does not support Linux64 design-time packages\n"},
        {true, false, {"-p", "Win64"}, nullptr, "Error: the current IDE does not support Win64 design-time packages\n"},
        {true, false, {"-a", "x64", "-p", "Win32"}, nullptr, "Error: 64-bit IDE is not installed\n"},
        {false, true, {"-a", "x86"}, nullptr, "Error: 32-bit IDE is not installed\n"},
    };
    for (const Case& c : cases) {
        const std::string label = ::testing::PrintToString(c.options) + (c.ide32 ? " ide32" : "") + (c.ide64 ? " ide64" : "");
        registry.delete_tree(L"Software\\Embarcadero\\BDS");
        scratch::Directory dir;  // each case its own installation
        install_at(dir, c.ide32, c.ide64);

        std::vector<std::string> args = {"package", "register", "C:\\pkgs\\MyComps.bpl", "My components"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = run(args);
        EXPECT_EQ(r.status, c.key ? 0u : 1u) << label;
        EXPECT_EQ(r.out, "") << label;
        EXPECT_EQ(r.err, c.err) << label;
        const Registrations registered{{L"C:\\pkgs\\MyComps.bpl", L"My components"}};
        for (const std::wstring* key : {&packages32, &packages64})
            EXPECT_EQ(registrations(*key), key == c.key ? registered : Registrations{}) << label;
    }
}

TEST_F(Package, RegisterOverwritesAndUnregisterToleratesAbsence) {
    install(true, false);
    ASSERT_EQ(run({"package", "register", "pkgs\\My.bpl", ""}).status, 0u);
    const auto empty = registry.get(packages32, L"pkgs\\My.bpl");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->bytes, (std::vector<unsigned char>{0, 0}));  // the path unchanged, the NUL alone

    ASSERT_EQ(run({"package", "register", "C:\\pkgs\\MyComps.bpl", "first"}).status, 0u);
    ASSERT_EQ(run({"package", "register", "C:\\pkgs\\MyComps.bpl", "Zweite \u00DCbersetzung"}).status, 0u);
    EXPECT_EQ(registrations(packages32), (Registrations{{L"C:\\pkgs\\MyComps.bpl", L"Zweite \u00DCbersetzung"},
                                                        {L"pkgs\\My.bpl", L""}}));

    for (int round = 1; round <= 2; ++round) {
        const auto r = run({"package", "unregister", "C:\\pkgs\\MyComps.bpl"});
        ASSERT_EQ(r.status, 0u) << round << r.err;
        EXPECT_EQ(r.out + r.err, "") << round;
        EXPECT_EQ(registrations(packages32), (Registrations{{L"pkgs\\My.bpl", L""}})) << round;
    }

    // Unregistering from a list that does not exist yet creates it and succeeds.
    registry.delete_tree(packages32);
    const auto r = run({"package", "unregister", "D:\\none.bpl"});
    EXPECT_EQ(r.status, 0u) << r.err;
    EXPECT_TRUE(registry.key_exists(packages32));
}

class PackageCompile : public Package {
protected:
    scratch::Directory work;  // the current directory of the runs
    scratch::Directory logs;

    // The stand-in compiler leaves src\Pkg.dpk's package in the -LE folder under the name
    // `bpl` (nullopt: the source's stem; empty: no package at all).
    RunResult compile(std::vector<std::string> extra, const std::wstring& exit_code = L"0",
                      std::optional<std::wstring> bpl = std::nullopt) {
        std::vector<std::string> args = {"package", "compile", "src\\Pkg.dpk"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args, {.cwd = work.path(),
                          .env = {{fake_ide::variable::log, logs / L"tools.log"},
                                  {fake_ide::variable::exit, exit_code},
                                  {fake_ide::variable::bpl, std::move(bpl)}}});
    }
    // The tool names of the stand-ins that ran, in order.
    std::vector<std::string> tools_run() const {
        std::vector<std::string> tools;
        for (const ToolRun& run : parse_tool_log(logs.read(L"tools.log"))) tools.push_back(run.tool);
        return tools;
    }
};

TEST_F(PackageCompile, InstallRegistersTheBuiltPackage) {
    const std::string source = "package Pkg;\r\n{$DESCRIPTION 'Old'}\r\n  {$DESCRIPTION 'Mine \u2603'}  \r\nend.\r\n";
    scratch::Directory bpl;
    struct Case {
        bool ide64;
        std::wstring output_dir;
        std::wstring registered;
    };
    const Case cases[] = {
        {false, L"out", work / L"out\\Pkg.bpl"},
        {true, bpl.path(), bpl / L"Pkg.bpl"},
    };
    for (const Case& c : cases) {
        const std::string label = win::to_utf8(c.registered);
        registry.delete_tree(L"Software\\Embarcadero\\BDS");
        scratch::Directory dir;
        install_at(dir, !c.ide64, c.ide64);
        work.write(L"src\\Pkg.dpk", source);
        DeleteFileW((logs / L"tools.log").c_str());

        const auto r = compile({"--install", "--package-bpl-output-dir", win::to_utf8(c.output_dir)});
        EXPECT_EQ(r.status, 0u) << label << r.err;
        EXPECT_EQ(r.err, "") << label;
        EXPECT_EQ(tools_run(), (std::vector<std::string>{c.ide64 ? "DCC64.exe" : "DCC32.exe"})) << label;
        EXPECT_EQ(registrations(c.ide64 ? packages64 : packages32), (Registrations{{c.registered, L"Mine \u2603"}}))
            << label;
        EXPECT_FALSE(registry.key_exists(c.ide64 ? packages32 : packages64)) << label;
    }
}

// A compiler that fails has built no package worth registering; its status is the command's.
TEST_F(PackageCompile, InstallRegistersNothingAfterAFailedCompilation) {
    install(true, false);
    work.write(L"src\\Pkg.dpk", "{$DESCRIPTION 'x'}\n");
    for (const auto& [code, told] : {std::pair{L"1", "1"}, std::pair{L"3221225477", "3221225477 (0xC0000005)"}}) {
        DeleteFileW((logs / L"tools.log").c_str());
        const auto r = compile({"--install", "--package-bpl-output-dir", "out"}, code);
        EXPECT_EQ(std::to_wstring(r.status), code);
        EXPECT_EQ(r.err, "Error: DCC32.exe failed with exit status " + std::string(told) + "\n");
        EXPECT_EQ(tools_run(), (std::vector<std::string>{"DCC32.exe"}));
        EXPECT_FALSE(registry.key_exists(packages32));
    }
}

TEST_F(PackageCompile, NothingIsRegisteredWithoutInstallOrAReadableSourceOrACompiler) {
    struct Case {
        std::vector<std::string> extra;
        std::string source;  // empty: no source file at all
        FakeTree tree;
        std::vector<std::string> tools;
        DWORD status;
        std::string err;
    };
    const FakeTree no_compiler{.bin_tools = {}, .bin64_tools = {}};
    const Case cases[] = {
        {{"--package-bpl-output-dir", "out"}, "{$DESCRIPTION 'x'}\n", {}, {"DCC32.exe"}, 0, ""},
        {{"--install", "--package-bpl-output-dir", "out"}, "", {}, {"DCC32.exe"}, 1, "(os error 2)\n"},
        {{"--install", "--package-bpl-output-dir", "out"}, "{$DESCRIPTION 'x'}\n", no_compiler, {}, 1,
         "Error: DCC32.exe not found\n"},
    };
    for (const Case& c : cases) {
        const std::string label = ::testing::PrintToString(c.extra) + " " + c.err;
        registry.delete_tree(L"Software\\Embarcadero\\BDS");
        scratch::Directory dir;
        install_at(dir, true, false, c.tree);
        DeleteFileW((work / L"src\\Pkg.dpk").c_str());
        if (!c.source.empty()) work.write(L"src\\Pkg.dpk", c.source);
        DeleteFileW((logs / L"tools.log").c_str());

        const auto r = compile(c.extra);
        EXPECT_EQ(r.status, c.status) << label;
        if (c.status == 0)
            EXPECT_EQ(r.err, "") << label;
        else
            EXPECT_THAT(r.err, ::testing::AllOf(::testing::StartsWith("Error: "), ::testing::EndsWith(c.err))) << label;
        EXPECT_EQ(tools_run(), c.tools) << label;
        EXPECT_FALSE(registry.key_exists(packages32)) << label;
    }
}

// Asked to install, the user must say where the package goes: the command line is refused
// before anything runs.
TEST_F(PackageCompile, InstallWithoutAnOutputDirectoryIsACommandLineError) {
    install(true, false);
    work.write(L"src\\Pkg.dpk", "{$DESCRIPTION 'x'}\n");
    const auto r = compile({"--install"});
    EXPECT_EQ(r.status, 2u);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, ::testing::StartsWith("error: the following required arguments were not provided:\n"
                                             "  --package-bpl-output-dir <PACKAGE_BPL_OUTPUT_DIR>\n\nUsage: "));
    EXPECT_EQ(tools_run(), std::vector<std::string>{});
    EXPECT_FALSE(registry.key_exists(packages32));
}

// The compiler names the package by the source's {$LIBPREFIX} and {$LIBSUFFIX}, {$LIBSUFFIX AUTO}
// being the installation's package version number; the last such line counts.
TEST_F(PackageCompile, InstallRegistersThePackageUnderTheNameTheCompilerGivesIt) {
    struct Case {
        std::wstring version;
        std::string directives;
        std::wstring bpl;
    };
    const Case cases[] = {
        {L"23.0", "{$LIBSUFFIX '240'}\n", L"Pkg240.bpl"},
        {L"23.0", "{$LIBPREFIX 'dcl'}\r\n  {$LIBSUFFIX '.Delphi10Berlin'}\r\n", L"dclPkg.Delphi10Berlin.bpl"},
        {L"23.0", "{$IFDEF VER350}\n{$LIBSUFFIX '280'}\n{$ELSE}\n{$LIBSUFFIX '290'}\n{$ENDIF}\n", L"Pkg290.bpl"},
        {L"22.0", "{$LIBSUFFIX AUTO}\n", L"Pkg280.bpl"},
        {L"23.0", "{$LIBSUFFIX AUTO}\n", L"Pkg290.bpl"},
        {L"37.0", "{$LIBSUFFIX '1'}\n{$LIBSUFFIX AUTO}\n", L"Pkg370.bpl"},
        {L"23.0", "{$LIBSUFFIX 'It''s'}\n", L"PkgIt's.bpl"},
    };
    for (const Case& c : cases) {
        const std::string label = win::to_utf8(c.version + L" " + c.bpl);
        registry.delete_tree(L"Software\\Embarcadero\\BDS");
        scratch::Directory dir;
        install_at(dir, true, false, {}, c.version);
        work.write(L"src\\Pkg.dpk", "package Pkg;\n" + c.directives + "{$DESCRIPTION 'Mine'}\nend.\n");

        const auto r = compile({"--install", "--package-bpl-output-dir", "out"}, L"0", c.bpl);
        EXPECT_EQ(r.status, 0u) << label << r.err;
        EXPECT_EQ(r.err, "") << label;
        EXPECT_EQ(registrations(L"Software\\Embarcadero\\BDS\\" + c.version + L"\\Known Packages"),
                  (Registrations{{work / (L"out\\" + c.bpl), L"Mine"}}))
            << label;
    }
}

// A guess that the compiler did not follow, or a compile that left no package, registers
// nothing: the IDE could not load a file that is not there.
TEST_F(PackageCompile, APackageTheCompilerDidNotLeaveIsNotRegistered) {
    install(true, false);
    work.write(L"src\\Pkg.dpk", "{$IFDEF NEVER}\n{$LIBSUFFIX '240'}\n{$ENDIF}\n{$DESCRIPTION 'x'}\n");
    for (const std::wstring left : {L"Pkg.bpl", L""}) {
        const std::string label = win::to_utf8(left);
        const auto r = compile({"--install", "--package-bpl-output-dir", "out"}, L"0", left);
        EXPECT_EQ(r.status, 1u) << label;
        EXPECT_EQ(r.out, "DCC32.exe ran\n") << label;
        EXPECT_EQ(r.err, "Error: the compiled package " + win::to_utf8(work / L"out\\Pkg240.bpl") +
                             " does not exist; nothing was registered\n")
            << label;
        EXPECT_FALSE(registry.key_exists(packages32)) << label;
        DeleteFileW((work / L"out\\Pkg.bpl").c_str());
    }
}

// The compiler reads a source that is not UTF-8 in the system's code page, or by its byte-order
// mark; so does the description, where '' is one apostrophe.
TEST_F(PackageCompile, TheDescriptionIsReadAsTheCompilerReadsTheSource) {
    install(true, false);
    struct Case {
        std::string source;
        std::wstring description;
    };
    using namespace std::string_literals;
    std::vector<Case> cases = {
        {"{ Jean-Fran\xE7ois }\n{$DESCRIPTION 'JEDI Code Library developer''s package'}\n{ \xCF\xF0\xE8 }\n",
         L"JEDI Code Library developer's package"},
        {"\xEF\xBB\xBF{$DESCRIPTION 'Mark \xE2\x98\x83'}\n", L"Mark \u2603"},
        {"\xFF\xFE{\0$\0D\0E\0S\0C\0R\0I\0P\0T\0I\0O\0N\0 \0'\0\x03\x26'\0}\0\n\0"s, L"\u2603"},
        {"{$DESCRIPTION '''Quoted'''}\n", L"'Quoted'"},
    };
    if (GetACP() == 1252) cases.push_back({"{$DESCRIPTION 'Gr\xFC\xDF\x65'}\n", L"Gr\u00FC\u00DF\x65"});
    for (const Case& c : cases) {
        const std::string label = win::to_utf8(c.description);
        registry.delete_tree(packages32);
        work.write(L"src\\Pkg.dpk", c.source);
        const auto r = compile({"--install", "--package-bpl-output-dir", "out"});
        EXPECT_EQ(r.status, 0u) << label << r.err;
        EXPECT_EQ(registrations(packages32), (Registrations{{work / L"out\\Pkg.bpl", c.description}})) << label;
    }
}

}  // namespace
}  // namespace kestrune::e2e
