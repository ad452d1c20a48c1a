// The command line as a user meets it: version, help, parse errors and their statuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fixture.hpp"
#include "harness.hpp"

namespace kestrune::e2e {
namespace {

using testing::HasSubstr;
using testing::Not;

TEST(CommandLine, VersionGoesToStdout) {
    for (const char* flag : {"--version", "-V"}) {
        const auto r = run({flag});
        EXPECT_EQ(r.status, 0u) << flag;
        EXPECT_EQ(r.out, "Kestrune CLI 1.0.4\n") << flag;
        EXPECT_EQ(r.err, "");
    }
}

TEST(CommandLine, NoArgumentPrintsHelpOnStderr) {
    const auto r = run({});
    EXPECT_EQ(r.status, 2u);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr("Usage: kestrune.exe [OPTIONS] [NAME] [COMMAND]"));
}

TEST(CommandLine, UnknownSubcommandSuggestsTheNearOne) {
    // A free word is first a NAME, so the installations are scanned before it is refused.
    Registry registry;
    add_installation(registry, {});
    const auto r = run({"bulid"});
    EXPECT_EQ(r.status, 2u);
    EXPECT_THAT(r.err, HasSubstr("'bulid'"));
    EXPECT_THAT(r.err, HasSubstr("'build'"));
    EXPECT_EQ(run({"13", "bulid"}).status, 2u);
}

TEST(CommandLine, HelpListsTheSubcommandsInOrderAndNoAlias) {
    const auto r = run({"--help"});
    ASSERT_EQ(r.status, 0u);
    std::size_t at = 0;
    for (const char* name : {"build", "bds", "dcc", "dcc32", "dcc64", "dccarm64ec", "package", "brcc", "env", "env-path",
                             "library-path", "browsing-path", "select", "info", "self", "help"}) {
        const auto found = r.out.find(std::string("\n  ") + name + " ", at);
        ASSERT_NE(found, std::string::npos) << name;
        at = found + 1;
    }
    for (const char* alias : {"msbuild", "brcc32 ", "envpath", "librarypath", "lib-path", "libpath", "browsingpath",
                              "--arch ", "--ide", "--nosplash", "--no-logo", "--nologo", "--ns "})
        EXPECT_THAT(r.out, Not(HasSubstr(alias))) << alias;
}

TEST(CommandLine, BuildHelpShowsVersionInformationOptionsUnderTheirHeading) {
    const auto r = run({"build", "--help"});
    ASSERT_EQ(r.status, 0u);
    const auto heading = r.out.find("Include Version Information:");
    ASSERT_NE(heading, std::string::npos);
    EXPECT_LT(r.out.find("<FILE>"), heading);
    EXPECT_LT(r.out.find("-c, --config <CONFIG>"), heading);
    EXPECT_LT(r.out.find("-t, --preferred-tool-architecture <ARCH>"), heading);
    std::size_t at = heading;
    for (const char* option : {"--CompanyName", "--FileDescription", "--FileVersion", "--InternalName", "--LegalCopyright",
                               "--LegalTrademarks", "--OriginalFilename", "--ProductName", "--ProductVersion",
                               "--Comments", "--VersionInfo"}) {
        const auto found = r.out.find(option, at);
        ASSERT_NE(found, std::string::npos) << option;
        at = found;
    }
}

TEST(CommandLine, FailedWriteToStdoutIsAFatalStop) {
    const auto r = run({"--help"}, {.close_stdout = true});
    EXPECT_EQ(r.status, 101u);
    EXPECT_THAT(r.err, testing::StartsWith("Error: failed printing to stdout: "));
    EXPECT_THAT(r.err, testing::EndsWith(" (os error 232)\n"));  // ERROR_NO_DATA: the pipe has no reader
    EXPECT_THAT(r.err, Not(HasSubstr(":  (")));
}

TEST(CommandLine, FailedWriteToStderrIsAFatalStop) {
    // A parser error and a handler's error report both go to standard error; neither needs
    // the registry, so nothing else could end the run with 101.
    for (const std::vector<std::string>& words : {std::vector<std::string>{"--bogus"}, {"dcc", "x.dpr"}}) {
        const auto r = run(words, {.close_stderr = true});
        EXPECT_EQ(r.status, 101u) << words[0];
        EXPECT_EQ(r.out, "") << words[0];
    }
}

TEST(CommandLine, ParseErrorsIntoAPipeTakeColourOnlyWhenForced) {
    struct Case {
        std::optional<std::wstring> force, no_color;
        bool color;
    } cases[] = {
        {std::nullopt, std::nullopt, false},
        {L"1", std::nullopt, true},
        {L"0", std::nullopt, false},
        {L"1", L"1", false},
    };
    for (const auto& c : cases) {
        const auto r = run({"--bogus"}, {.env = {{L"CLICOLOR_FORCE", c.force}, {L"NO_COLOR", c.no_color}}});
        EXPECT_EQ(r.status, 2u);
        EXPECT_EQ(r.err.find('\x1b') != std::string::npos, c.color) << r.err;
        if (c.color) {
            EXPECT_THAT(r.err, testing::StartsWith("\x1b[1m\x1b[91merror:\x1b[0m "));
        }
    }
}

TEST(CommandLine, DccWithoutPlatformFailsBeforeReadingTheRegistry) {
    const auto r = run({"dcc", "x.dpr"});
    EXPECT_EQ(r.status, 1u);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error: the platform must be specified\n");
}

}  // namespace
}  // namespace kestrune::e2e
