#include "main/env_command.hpp"

#include <gtest/gtest.h>

#include "captured_output.hpp"
#include "installation_record.hpp"

namespace kestrune::cli {
namespace {

using catalogue::Architecture;

class EnvOutput : public InstalledRecord {
protected:
    const std::wstring env32 = version_key + L"\\Environment Variables";
    const std::wstring env64 = version_key + L"\\Environment Variables x64";
};

TEST_F(EnvOutput, ListsEachIdeUnderItsName) {
    set_string(env32, L"LANG", L"en-GB");
    set_string(env32, L"SDK", L"%BDS%\\sdk\\win", REG_EXPAND_SZ);
    set_string(env64, L"TMP", L"T:\\");

    kestrune::testing::CapturedOutput out;
    ASSERT_TRUE(run_env(std::nullopt, installation, {Architecture::x86, Architecture::x64}, out));
    EXPECT_EQ(out.out,
              "32-bit IDE\n"
              "┌──────┬───────────────┐\n"
              "│ Name ┆ Value         │\n"
              "╞══════╪═══════════════╡\n"
              "│ LANG ┆ en-GB         │\n"
              "│ SDK  ┆ %BDS%\\sdk\\win │\n"
              "└──────┴───────────────┘\n"
              "64-bit IDE\n"
              "┌──────┬───────┐\n"
              "│ Name ┆ Value │\n"
              "╞══════╪═══════╡\n"
              "│ TMP  ┆ T:\\   │\n"
              "└──────┴───────┘\n");
    EXPECT_EQ(out.err, "");

    // An empty key lists the header alone; only the chosen architecture is listed.
    kestrune::testing::CapturedOutput empty;
    remove(env64);
    ASSERT_TRUE(run_env(std::nullopt, installation, {Architecture::x64}, empty));
    EXPECT_EQ(empty.out,
              "64-bit IDE\n"
              "┌──────┬───────┐\n"
              "│ Name ┆ Value │\n"
              "╞══════╪═══════╡\n"
              "└──────┴───────┘\n");
}

TEST_F(EnvOutput, ValueThatIsNoTextStopsAfterTheHeading) {
    set_string(env32, L"A", L"a");
    set_dword(env32, L"B", 1);
    set_string(env64, L"C", L"c");
    kestrune::testing::CapturedOutput out;
    const auto done = run_env(std::nullopt, installation, {Architecture::x86, Architecture::x64}, out);
    ASSERT_FALSE(done);
    EXPECT_EQ(done.error().code(), win::hresult_invalid_data);
    EXPECT_EQ(out.out, "32-bit IDE\n");  // no half table, and the 64-bit IDE is not reached
}

TEST_F(EnvOutput, EditsPrintNothing) {
    kestrune::testing::CapturedOutput out;
    ASSERT_TRUE(run_env(EnvSet{"FOO", "bar"}, installation, {Architecture::x86, Architecture::x64}, out));
    EXPECT_EQ(stored(env64, L"FOO")->units(), std::wstring(L"bar") + L'\0');
    ASSERT_TRUE(run_env(EnvRemove{"FOO"}, installation, {Architecture::x86}, out));
    EXPECT_FALSE(stored(env32, L"FOO"));
    EXPECT_TRUE(stored(env64, L"FOO"));
    EXPECT_EQ(out.out, "");
    EXPECT_EQ(out.err, "");
}

}  // namespace
}  // namespace kestrune::cli
