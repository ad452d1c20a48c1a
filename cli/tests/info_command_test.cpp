#include "main/info_command.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "captured_output.hpp"
#include "installation_record.hpp"

namespace kestrune::cli {
namespace {

const std::string athens_table =
    "RAD Studio 12 Athens\n"
    "┌─────────────────────────┬────────────────────────────────┐\n"
    "│ Property                ┆ Value                          │\n"
    "╞═════════════════════════╪════════════════════════════════╡\n"
    "│ Is Known                ┆ true                           │\n"
    "│ Version                 ┆ \"23.0\"                         │\n"
    "│ Version Number          ┆ 23                             │\n"
    "│ Compiler Version        ┆ \"36.0\"                         │\n"
    "│ Compiler Version Number ┆ 360                            │\n"
    "│ Package Version         ┆ \"29\"                           │\n"
    "│ Package Version Number  ┆ 290                            │\n"
    "│ Product Family          ┆ \"RAD Studio\"                   │\n"
    "│ Product Version         ┆ \"12\"                           │\n"
    "│ Product Name            ┆ \"RAD Studio 12\"                │\n"
    "│ Update Number           ┆ 0                              │\n"
    "│ Name                    ┆ \"RAD Studio 12\"                │\n"
    "│ Code Name               ┆ \"Athens\"                       │\n"
    "│ Full Name               ┆ \"RAD Studio 12 Athens\"         │\n"
    "│ Edition                 ┆ null                           │\n"
    "│ Display Name            ┆ \"RAD Studio 12 Athens\"         │\n"
    "│ Root Dir                ┆ \"C:\\\\kestrune-tests\\\\absent\\\\\" │\n"
    "│ Personalities           ┆ [\"Delphi\"]                     │\n"
    "│ Architectures           ┆ []                             │\n"
    "│ Ide Architectures       ┆ []                             │\n"
    "│ Platforms               ┆ []                             │\n"
    "│ Ide Platforms           ┆ []                             │\n"
    "└─────────────────────────┴────────────────────────────────┘\n";

TEST(InfoOutput, OneInstallationIsItsNameAndPropertyTable) {
    testing::CapturedOutput out;
    ASSERT_TRUE(print_installation(installation_record("23.0"), false, out));
    EXPECT_EQ(out.out, athens_table);
    EXPECT_EQ(out.err, "");

    // NAME's installation alone, and the only installation of the list, are printed the same way.
    const catalogue::Installation athens = installation_record("23.0");
    App app;
    app.name = &athens;
    testing::CapturedOutput named;
    ASSERT_TRUE(run_info_command(app, named));
    EXPECT_EQ(named.out, athens_table);

    testing::CapturedOutput only;
    ASSERT_TRUE(print_installations({installation_record("23.0")}, false, only));
    EXPECT_EQ(only.out, athens_table);
}

TEST(InfoOutput, SeveralInstallationsAreNumberedInListOrder) {
    testing::CapturedOutput alexandria, athens, both;
    ASSERT_TRUE(print_installation(installation_record("22.0"), false, alexandria));
    ASSERT_TRUE(print_installation(installation_record("23.0"), false, athens));
    ASSERT_TRUE(print_installations({installation_record("22.0"), installation_record("23.0")}, false, both));
    EXPECT_EQ(both.out, "1. " + alexandria.out + "2. " + athens.out);
}

// JSON is always one array, a single installation too, pretty-printed and ended by a line feed.
TEST(InfoOutput, JsonIsOneArrayEndedByALineFeed) {
    struct Case {
        std::vector<catalogue::Installation> list;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{installation_record("23.0")}, {"RAD Studio 12"}},
        {{installation_record("22.0"), installation_record("23.0")}, {"RAD Studio 11", "RAD Studio 12"}},
    };
    for (const Case& c : cases) {
        testing::CapturedOutput out;
        ASSERT_TRUE(print_installations(c.list, true, out));
        EXPECT_TRUE(out.out.starts_with("[\n  {\n    \"is_known\": true,\n    \"version\": ")) << out.out;
        EXPECT_TRUE(out.out.ends_with("\n  }\n]\n")) << out.out;
        const auto parsed = nlohmann::ordered_json::parse(out.out);
        ASSERT_EQ(parsed.size(), c.names.size());
        for (std::size_t i = 0; i < c.names.size(); ++i) EXPECT_EQ(parsed[i]["name"], c.names[i]);
    }
    testing::CapturedOutput named;
    ASSERT_TRUE(print_installation(installation_record("23.0"), true, named));
    testing::CapturedOutput listed;
    ASSERT_TRUE(print_installations({installation_record("23.0")}, true, listed));
    EXPECT_EQ(named.out, listed.out);
}

}  // namespace
}  // namespace kestrune::cli
