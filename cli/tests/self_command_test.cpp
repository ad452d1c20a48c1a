#include "main/self_command.hpp"

#include <gtest/gtest.h>

#include "captured_output.hpp"
#include "scratch_registry.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"

namespace kestrune::cli {
namespace {

using SelfOutput = kestrune::testing::ScratchRegistry;

TEST_F(SelfOutput, InstallAndUninstallSayWhatTheyDid) {
    set_string(L"Environment", L"Path", L"C:\\bin", REG_EXPAND_SZ);

    kestrune::testing::CapturedOutput installed;
    ASSERT_TRUE(run_self(SelfCommands::Install, installed));
    EXPECT_EQ(installed.out,
              "\u2714\uFE0F Kestrune CLI installed successfully\n"
              "\u27A1\uFE0F Added to PATH - open a new terminal for it to take effect.\n");
    EXPECT_EQ(installed.err, "");
    EXPECT_EQ(stored(L"Environment", L"Path")->units(), std::wstring(L"C:\\bin;%KestruneCLI%") + L'\0');
    const auto directory = win::parent_directory(*win::module_path());
    ASSERT_TRUE(directory);
    EXPECT_EQ(stored(L"Environment", L"KestruneCLI")->units(), *directory + L'\0');

    kestrune::testing::CapturedOutput uninstalled;
    ASSERT_TRUE(run_self(SelfCommands::Uninstall, uninstalled));
    EXPECT_EQ(uninstalled.out, "\u2714\uFE0F Kestrune CLI uninstalled\n\u27A1\uFE0F Removed from PATH.\n");
    EXPECT_EQ(uninstalled.err, "");
    EXPECT_EQ(stored(L"Environment", L"Path")->units(), std::wstring(L"C:\\bin") + L'\0');
    EXPECT_FALSE(stored(L"Environment", L"KestruneCLI"));
}

}  // namespace
}  // namespace kestrune::cli
