// env: the IDE's environment variables of each IDE architecture, listed, set and removed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.hpp"
#include "ide_settings.hpp"

namespace kestrune::e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using Env = IdeSettings;

TEST_F(Env, ListsBothIdesInOrderWithTextsAsStored) {
    install(true, true);
    registry.set(env32, L"FOO", L"bar");
    registry.set(env32, L"TOOLS", L"%BDS%\\tools", REG_EXPAND_SZ);
    registry.set(env64, L"Path", L"C:\\x64");

    const auto r = run({"env"});
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "32-bit IDE\n"
              "┌───────┬─────────────┐\n"
              "│ Name  ┆ Value       │\n"
              "╞═══════╪═════════════╡\n"
              "│ FOO   ┆ bar         │\n"
              "│ TOOLS ┆ %BDS%\\tools │\n"
              "└───────┴─────────────┘\n"
              "64-bit IDE\n"
              "┌──────┬────────┐\n"
              "│ Name ┆ Value  │\n"
              "╞══════╪════════╡\n"
              "│ Path ┆ C:\\x64 │\n"
              "└──────┴────────┘\n");
}

TEST_F(Env, ListingCreatesAMissingKeyAndShowsTheHeaderOnly) {
    install(true, true);
    ASSERT_FALSE(registry.key_exists(env64));
    const auto r = run({"env", "-a", "x64"});
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out,
              "64-bit IDE\n"
              "┌──────┬───────┐\n"
              "│ Name ┆ Value │\n"
              "╞══════╪═══════╡\n"
              "└──────┴───────┘\n");
    EXPECT_TRUE(registry.key_exists(env64));
    EXPECT_FALSE(registry.key_exists(env32));
}

TEST_F(Env, ValueThatIsNotTextFailsAfterTheHeading) {
    install(true, true);
    const std::wstring lone_surrogate(1, static_cast<wchar_t>(0xDC00));
    struct Case {
        void (*store)(Registry&, const std::wstring&);
        const char* code;
    };
    const Case cases[] = {
        {[](Registry& r, const std::wstring&) { r.set_dword(env32, L"B", 1); }, "(0x8007000D)\n"},
        {[](Registry& r, const std::wstring& odd) { r.set(env32, L"B", L"x" + odd); }, "(0x80070459)\n"},
    };
    for (const Case& c : cases) {
        registry.set(env32, L"A", L"a");
        c.store(registry, lone_surrogate);
        registry.set(env64, L"C", L"c");
        const auto r = run({"env"});
        EXPECT_EQ(r.status, 1u) << c.code;
        EXPECT_EQ(r.out, "32-bit IDE\n") << c.code;  // no half table, and the 64-bit IDE is not reached
        EXPECT_THAT(r.err, StartsWith("Error: "));
        EXPECT_THAT(r.err, HasSubstr(c.code));
        EXPECT_THAT(r.err, ::testing::Not(HasSubstr("Caused by")));
    }

    // A name that is not valid UTF-16 is only shown with U+FFFD.
    registry.delete_value(env32, L"B");
    registry.set(env32, L"N" + lone_surrogate, L"v");
    const auto shown = run({"env", "-a", "x86"});
    ASSERT_EQ(shown.status, 0u) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("│ N\xEF\xBF\xBD   ┆ v     │\n"));
}

// Discovery lists a version key whose name holds an unpaired surrogate; its settings are
// reached by that very name, not by its U+FFFD form.
TEST_F(Env, SettingsOfAKeyNamedWithAnUnpairedSurrogate) {
    const std::wstring name = std::wstring(L"23.0") + static_cast<wchar_t>(0xD800);
    install_at(root, true, false, {}, name);
    const std::wstring key = L"Software\\Embarcadero\\BDS\\" + name;

    const auto set = run({"env", "set", "FOO", "bar"});
    ASSERT_EQ(set.status, 0u) << set.err;
    EXPECT_EQ(text(key + L"\\Environment Variables", L"FOO"), L"bar");
    const auto listed = run({"env"});
    ASSERT_EQ(listed.status, 0u) << listed.err;
    EXPECT_THAT(listed.out, HasSubstr("│ FOO  ┆ bar   │\n"));

    const auto added = run({"library-path", "-p", "Win32", "add", "D:\\Lib"});
    ASSERT_EQ(added.status, 0u) << added.err;
    EXPECT_EQ(text(key + L"\\Library\\Win32", L"Search Path"), L";D:\\Lib");
    const auto paths = run({"library-path", "-p", "Win32"});
    ASSERT_EQ(paths.status, 0u) << paths.err;
    EXPECT_THAT(paths.out, HasSubstr("│ 2  ┆ D:\\Lib │\n"));

    EXPECT_FALSE(registry.key_exists(L"Software\\Embarcadero\\BDS\\23.0\uFFFD"));
}

TEST_F(Env, SetAndRemoveActOnTheChosenIdes) {
    install(true, true);
    struct Case {
        std::vector<std::string> set;
        bool in32, in64;
    };
    const Case cases[] = {
        {{"env", "set", "FOO", "bar"}, true, true},
        {{"env", "-a", "x64", "set", "FOO", "bar"}, false, true},
        {{"env", "set", "FOO", "bar", "-p", "Win32"}, true, false},
        {{"-p", "Win64", "env", "add", "FOO", "bar"}, false, true},
        {{"env", "-a", "x64", "-p", "Win32", "set", "FOO", "bar"}, false, true},  // the architecture wins
    };
    for (const Case& c : cases) {
        const std::string label = ::testing::PrintToString(c.set);
        const auto set = run(c.set);
        ASSERT_EQ(set.status, 0u) << label << set.err;
        EXPECT_EQ(set.out + set.err, "") << label;
        EXPECT_EQ(text(env32, L"FOO"), c.in32 ? std::optional<std::wstring>(L"bar") : std::nullopt) << label;
        EXPECT_EQ(text(env64, L"FOO"), c.in64 ? std::optional<std::wstring>(L"bar") : std::nullopt) << label;
        registry.delete_value(env32, L"FOO");
        registry.delete_value(env64, L"FOO");
    }

    for (const char* alias : {"remove", "rm", "delete", "del"}) {
        registry.set(env32, L"FOO", L"1");
        registry.set(env64, L"FOO", L"2", REG_EXPAND_SZ);
        registry.set(env64, L"KEEP", L"3");
        const auto removed = run({"env", alias, "FOO", "-a", "x64"});
        ASSERT_EQ(removed.status, 0u) << alias << removed.err;
        EXPECT_EQ(removed.out, "") << alias;
        EXPECT_EQ(text(env32, L"FOO"), L"1") << alias;
        EXPECT_FALSE(registry.get(env64, L"FOO")) << alias;
        EXPECT_EQ(text(env64, L"KEEP"), L"3") << alias;
    }

    const auto missing = run({"env", "remove", "NOPE"});
    EXPECT_EQ(missing.status, 0u) << missing.err;
    EXPECT_EQ(missing.out + missing.err, "");
}

TEST_F(Env, SetReplacesAnyTypeWithText) {
    install(true, false);
    registry.set(env32, L"X", L"%A%", REG_EXPAND_SZ);
    registry.set_dword(env32, L"N", 5);
    ASSERT_EQ(run({"env", "set", "X", "plain"}).status, 0u);
    ASSERT_EQ(run({"env", "set", "N", ""}).status, 0u);
    ASSERT_EQ(run({"env", "set", "Ünï", "wert ☃"}).status, 0u);
    EXPECT_EQ(text(env32, L"X"), L"plain");
    const auto empty = registry.get(env32, L"N");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(empty->bytes, (std::vector<unsigned char>{0, 0}));  // the NUL alone
    EXPECT_EQ(text(env32, L"\u00DCn\u00EF"), L"wert \u2603");
}

// An empty name is the key's default value, and no environment holds a name with "=".
TEST_F(Env, NamesNoEnvironmentCanHoldAreRefused) {
    install(true, true);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"env", "set", "", "x"}, "error: invalid value '' for '<NAME>': a variable name cannot be empty\n"},
        {{"env", "add", "A=B", "x"}, "error: invalid value 'A=B' for '<NAME>': a variable name cannot hold '='\n"},
        {{"env", "set", "=C:", "C:\\"}, "error: invalid value '=C:' for '<NAME>': a variable name cannot hold '='\n"},
    };
    for (const Case& c : cases) {
        const std::string label = ::testing::PrintToString(c.args);
        const auto r = run(c.args);
        EXPECT_EQ(r.status, 2u) << label;
        EXPECT_EQ(r.out, "") << label;
        EXPECT_THAT(r.err, StartsWith(c.err)) << label;
        EXPECT_FALSE(registry.key_exists(env32)) << label;
        EXPECT_FALSE(registry.key_exists(env64)) << label;
    }

    // One that an earlier run wrote can still be removed.
    registry.set(env32, L"A=B", L"x");
    const auto removed = run({"env", "-a", "x86", "remove", "A=B"});
    EXPECT_EQ(removed.status, 0u) << removed.err;
    EXPECT_EQ(registry.value_names(env32), std::vector<std::wstring>{});
}

TEST_F(Env, ChoiceErrorsTouchNothing) {
    struct Case {
        bool ide32, ide64;
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {false, true, {"env", "-a", "x86", "set", "A", "b"}, "Error: 32-bit IDE is not installed\n"},
        {true, false, {"env", "--architecture", "x64"}, "Error: 64-bit IDE is not installed\n"},
        {true, false, {"env", "-p", "Win64", "set", "A", "b"}, "Error: Win64 does not map to a valid IDE architecture\n"},
        {true, true, {"env", "-p", "Linux64"}, "Error: Linux64 does not map to a valid IDE architecture\n"},
        {true, true, {"env-path", "-p", "Win64x", "add", "D:\\x"}, "Error: Win64x does not map to a valid IDE architecture\n"},
    };
    for (const Case& c : cases) {
        registry.delete_tree(L"Software\\Embarcadero\\BDS");
        scratch::Directory dir;  // each case its own installation
        install_at(dir, c.ide32, c.ide64);

        const auto r = run(c.args);
        EXPECT_EQ(r.status, 1u) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(registry.key_exists(env32)) << c.err;
        EXPECT_FALSE(registry.key_exists(env64)) << c.err;
    }
}

TEST_F(Env, NoIdeInstalledDoesNothing) {
    install(false, false);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"env"}, {"env", "set", "A", "b"}, {"env-path"}, {"env-path", "add", "D:\\x"}}) {
        const auto r = run(args);
        EXPECT_EQ(r.status, 0u) << r.err;
        EXPECT_EQ(r.out + r.err, "");
    }
    EXPECT_FALSE(registry.key_exists(env32));
    EXPECT_FALSE(registry.key_exists(env64));
}

}  // namespace
}  // namespace kestrune::e2e
