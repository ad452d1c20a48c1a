// self: the program's directory in the user value KestruneCLI and %KestruneCLI% on the
// user's PATH, put there and taken away. No IDE installation is involved.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fixture.hpp"
#include "harness.hpp"

namespace kestrune::e2e {
namespace {

using ::testing::HasSubstr;

const std::wstring environment = L"Environment";
const std::string installed =
    "\u2714\uFE0F Kestrune CLI installed successfully\n"
    "\u27A1\uFE0F Added to PATH - open a new terminal for it to take effect.\n";
const std::string uninstalled = "\u2714\uFE0F Kestrune CLI uninstalled\n\u27A1\uFE0F Removed from PATH.\n";

// The fixture's Registry clears every IDE key, so these runs also prove that self needs
// no installation (the scan would stop the program with status 101).
class Self : public ::testing::Test {
protected:
    Registry registry;

    std::optional<RegValue> path() const { return registry.get(environment, L"Path"); }
    void expect_path(const std::wstring& text, const std::string& label) const {
        const auto value = path();
        ASSERT_TRUE(value) << label;
        EXPECT_EQ(value->text, text) << label;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_EXPAND_SZ)) << label;
    }
    void expect_directory_value() const {
        const auto value = registry.get(environment, L"KestruneCLI");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value->text, build_dir());
    }
};

TEST_F(Self, InstallTwiceKeepsOneEntryAndRewritesThePathAsExpandable) {
    registry.set(environment, L"Path", L"C:\\bin;" + build_dir(), REG_SZ);
    registry.set(environment, L"KestruneCLI", L"C:\\old\\place");
    for (int round = 1; round <= 2; ++round) {
        const std::string label = "round " + std::to_string(round);
        const auto r = run({"self", "install"});
        ASSERT_EQ(r.status, 0u) << label << r.err;
        EXPECT_EQ(r.out, installed) << label;
        EXPECT_EQ(r.err, "") << label;
        // The directory spelled out is a different entry: it is neither reused nor touched.
        expect_path(L"C:\\bin;" + build_dir() + L";%KestruneCLI%", label);
        expect_directory_value();
    }

    const auto r = run({"self", "uninstall"});
    ASSERT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out, uninstalled);
    expect_path(L"C:\\bin;" + build_dir(), "uninstall");
    EXPECT_FALSE(registry.get(environment, L"KestruneCLI"));
}

TEST_F(Self, EntryInOtherAsciiCaseCountsAsPresent) {
    registry.set(environment, L"Path", L"%kestrunecli%;C:\\x;%KESTRUNECLI%", REG_EXPAND_SZ);
    ASSERT_EQ(run({"self", "install"}).status, 0u);
    expect_path(L"%kestrunecli%;C:\\x;%KESTRUNECLI%", "install");
    ASSERT_EQ(run({"self", "uninstall"}).status, 0u);
    expect_path(L"C:\\x", "uninstall");  // every spelling goes
}

TEST_F(Self, MissingPathAndValue) {
    registry.delete_value(environment, L"Path");
    registry.delete_value(environment, L"KestruneCLI");

    const auto removed = run({"self", "uninstall"});
    ASSERT_EQ(removed.status, 0u) << removed.err;
    EXPECT_EQ(removed.out, uninstalled);
    expect_path(L"", "uninstall with nothing installed");  // written back all the same
    EXPECT_FALSE(registry.get(environment, L"KestruneCLI"));

    registry.delete_value(environment, L"Path");
    const auto added = run({"self", "install"});
    ASSERT_EQ(added.status, 0u) << added.err;
    expect_path(L";%KestruneCLI%", "install on a missing Path");
    expect_directory_value();
}

TEST_F(Self, PathOfAnotherTypeIsLeftAlone) {
    registry.set_dword(environment, L"Path", 9);
    const auto r = run({"self", "install"});
    EXPECT_EQ(r.status, 1u);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr("(0x8007000D)\n"));
    EXPECT_EQ(path()->type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(Self, WithoutInnerSubcommandShowsHelp) {
    const auto r = run({"self"});
    EXPECT_EQ(r.status, 2u);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr("install"));
    EXPECT_THAT(r.err, HasSubstr("uninstall"));
}

}  // namespace
}  // namespace kestrune::e2e
