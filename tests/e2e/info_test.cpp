// info and the command line without a subcommand, on installations laid out in the registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "fixture.hpp"
#include "harness.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {
namespace {

using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

nlohmann::ordered_json parse_json(const std::string& text) {
    return nlohmann::ordered_json::parse(text, nullptr, false);
}

class Info : public testing::Test {
protected:
    Registry registry;
    scratch::Directory root;

    InstallationSpec athens() {
        InstallationSpec installation;
        installation.root_dir = root.path() + L"\\";
        installation.app = root / L"bin\\bds.exe";
        installation.update = L"Update 1";
        return installation;
    }
};

TEST_F(Info, OneInstallationAsTableAndJson) {
    lay_out(root, FakeTree{});
    add_installation(registry, athens());

    const auto table = run({"info"});
    ASSERT_EQ(table.status, 0u) << table.err;
    EXPECT_THAT(table.out, StartsWith("RAD Studio 12.1 Athens\n┌"));
    for (const char* row : {"│ Is Known                ┆ true", "│ Version                 ┆ \"23.0\"",
                            "│ Ide Platforms           ┆ [\"Win32\"]", "│ Edition                 ┆ null",
                            "│ Personalities           ┆ [\"Delphi\"]", "│ x86: Command-line Tools ┆ {DCC32, DCC64, BRCC32}",
                            "│ x64: Command-line Tools ┆ {DCC64}"})
        EXPECT_THAT(table.out, HasSubstr(row)) << row;
    // Root Dir is JSON text (backslashes doubled), Bin Dir a plain path.
    const std::string root_utf8 = win::to_utf8(root.path());
    std::string doubled;
    for (const char c : root_utf8) doubled += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_THAT(table.out, HasSubstr("┆ \"" + doubled + "\\\\\""));
    EXPECT_THAT(table.out, HasSubstr("x86: Bin Dir            ┆ " + root_utf8 + "\\bin "));
    EXPECT_TRUE(table.out.ends_with("┘\n"));

    const auto json = run({"info", "--json"});
    ASSERT_EQ(json.status, 0u);
    EXPECT_TRUE(json.out.ends_with("]\n"));
    const auto parsed = parse_json(json.out);
    ASSERT_TRUE(parsed.is_array());
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0]["name"], "RAD Studio 12.1");
    EXPECT_EQ(parsed[0]["architectures"], nlohmann::ordered_json::parse(R"(["x86","x64"])"));
    EXPECT_EQ(parsed[0].begin().key(), "is_known");
    EXPECT_THAT(json.out, HasSubstr("\n  {\n    \"is_known\": true,\n"));
}

TEST_F(Info, SeveralInstallationsAreNumberedOldestFirst) {
    lay_out(root, FakeTree{});
    auto newest = athens();
    add_installation(registry, newest);
    add_installation(registry, {.version = L"22.0"});
    add_installation(registry, {.base_key = L"Software\\CodeGear\\BDS", .version = L"5"});

    const auto table = run({"info"});
    ASSERT_EQ(table.status, 0u) << table.err;
    const auto first = table.out.find("1. RAD Studio 2007\n");
    const auto second = table.out.find("\n2. RAD Studio 11 Alexandria\n");
    const auto third = table.out.find("\n3. RAD Studio 12.1 Athens\n");
    EXPECT_EQ(first, 0u);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(second, third);
    EXPECT_NE(third, std::string::npos);

    const auto json = run({"info", "--json"});
    const auto parsed = parse_json(json.out);
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(parsed[0]["version"], "5");
    EXPECT_EQ(parsed[2]["version"], "23.0");

    // A NAME picks one installation, printed without a position; --json alone prints the latest.
    const auto named = run({"Alexandria", "info"});
    EXPECT_EQ(named.status, 0u);
    EXPECT_THAT(named.out, StartsWith("RAD Studio 11 Alexandria\n┌"));
    const auto name_alone = run({"2007"});
    EXPECT_THAT(name_alone.out, StartsWith("RAD Studio 2007\n┌"));
    const auto json_alone = parse_json(run({"--json"}).out);
    ASSERT_EQ(json_alone.size(), 1u);
    EXPECT_EQ(json_alone[0]["version"], "23.0");
}

// The installers of those releases name their keys 4.0 to 7.0.
TEST_F(Info, OlderReleasesAreKnownByTheirKeysOnRealMachines) {
    add_installation(registry, {.base_key = L"Software\\Borland\\BDS", .version = L"4.0"});
    add_installation(registry, {.base_key = L"Software\\CodeGear\\BDS", .version = L"5.0"});
    add_installation(registry, {.base_key = L"Software\\CodeGear\\BDS", .version = L"7.0"});

    const auto named = run({"2007", "info", "--json"});
    ASSERT_EQ(named.status, 0u) << named.err;
    const auto parsed = parse_json(named.out);
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0]["version"], "5.0");
    EXPECT_EQ(parsed[0]["is_known"], true);
    EXPECT_EQ(parsed[0]["name"], "RAD Studio 2007");

    const auto table = run({"info"});
    ASSERT_EQ(table.status, 0u) << table.err;
    EXPECT_THAT(table.out, StartsWith("1. Borland Developer Studio 2006\n"));
    EXPECT_THAT(table.out, HasSubstr("\n2. RAD Studio 2007\n"));
    EXPECT_THAT(table.out, HasSubstr("\n3. RAD Studio 2010\n"));
}

TEST_F(Info, OnlyTheArchitecturesWithAnRsvarsScriptGetRows) {
    lay_out(root, FakeTree{.rsvars = false});
    add_installation(registry, athens());
    const auto r = run({"info"});
    ASSERT_EQ(r.status, 0u);
    EXPECT_THAT(r.out, HasSubstr("│ x64: Bin Dir"));
    EXPECT_THAT(r.out, Not(HasSubstr("x86:")));
}

// The system reads a path only up to its first NUL: cut short there, these values would name
// the root directory, which exists, and every tool and script would count as installed.
TEST_F(Info, PathsWithANulInsideNameNothing) {
    lay_out(root, FakeTree{.bds64 = true});
    using namespace std::string_literals;
    InstallationSpec installation = athens();
    installation.root_dir = root.path() + L"\\\0junk"s;
    installation.app = root / L"bin\\bds.exe\0junk"s;
    installation.app_x64 = root.path() + L"\\\0bin64\\bds.exe"s;
    add_installation(registry, installation);

    const auto json = run({"info", "--json"});
    ASSERT_EQ(json.status, 0u) << json.err;
    const auto parsed = parse_json(json.out);
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0]["root_dir"], win::to_utf8(root.path() + L"\\\0junk"s));
    for (const char* key : {"architectures", "ide_architectures", "platforms", "ide_platforms"})
        EXPECT_EQ(parsed[0][key], nlohmann::ordered_json::array()) << key;

    const auto table = run({"info"});
    ASSERT_EQ(table.status, 0u) << table.err;
    EXPECT_THAT(table.out, Not(HasSubstr("x86:")));
    EXPECT_THAT(table.out, Not(HasSubstr("x64:")));
}

TEST_F(Info, NameThatMatchesNothing) {
    add_installation(registry, athens());
    const auto r = run({"Florence", "info"});
    EXPECT_EQ(r.status, 2u);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr("'Florence'"));
    EXPECT_THAT(r.err, HasSubstr("no installed RAD Studio matched"));

    // A NAME that is, or is close to, an inner subcommand's name points to that subcommand.
    const std::pair<std::string, std::string> inner[] = {
        {"register", "'package register'"}, {"install", "'self install'"}, {"uninstal", "'self uninstall'"}};
    for (const auto& [word, subcommand] : inner) {
        const auto hinted = run({word});
        EXPECT_EQ(hinted.status, 2u) << word;
        EXPECT_THAT(hinted.err, HasSubstr("no installed RAD Studio matched\n\n  tip: a similar subcommand exists: " +
                                          subcommand + "\n"));
    }
}

TEST_F(Info, NoInstallationIsAFatalStop) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"info"}, {"13"}, {"--json"}}) {
        const auto r = run(words);
        EXPECT_EQ(r.status, 101u) << words[0];
        EXPECT_THAT(r.err, HasSubstr("No RAD Studio installations found"));
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Info, FailingScanIsAFatalStop) {
    InstallationSpec installation = athens();
    add_installation(registry, installation);
    registry.set_dword(version_key(installation) + L"\\Personalities", L"", 1);
    const auto r = run({"info"});
    EXPECT_EQ(r.status, 101u);
    EXPECT_THAT(r.err, HasSubstr("WindowsRegistry(Error { code: HRESULT(0x8007000D)"));
}

TEST_F(Info, CommandsThatNeedNoInstallationNeverScan) {
    // A scan of this registry would stop the program with status 101.
    InstallationSpec installation = athens();
    add_installation(registry, installation);
    registry.set_dword(version_key(installation) + L"\\Personalities", L"", 1);
    struct Case {
        std::vector<std::string> words;
        DWORD status;
    } cases[] = {{{"--help"}, 0}, {{"--version"}, 0}, {{"help", "env"}, 0}, {{"--bogus"}, 2}, {{"dcc", "x.dpr"}, 1}};
    for (const auto& c : cases) EXPECT_EQ(run(c.words).status, c.status) << c.words[0];
}

}  // namespace
}  // namespace kestrune::e2e
