#include "main/select_command.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "captured_output.hpp"
#include "installation_record.hpp"

namespace kestrune::cli {
namespace {

// What select prints is read back by scripts as NAME arguments, so nothing follows it, not
// even a line feed.
TEST(SelectOutput, ChosenNamesQuotedOrAsJsonWithoutALineFeed) {
    const catalogue::Installation alexandria = installation_record("22.0"), athens = installation_record("23.0");
    struct Case {
        std::vector<const catalogue::Installation*> choice;
        bool json;
        std::string text;  // empty: checked as JSON below
    };
    const Case cases[] = {
        {{}, false, ""},
        {{&athens}, false, "\"RAD Studio 12\""},
        {{&alexandria, &athens}, false, "\"RAD Studio 11\" \"RAD Studio 12\""},
        {{}, true, "[]"},
    };
    for (const Case& c : cases) {
        kestrune::testing::CapturedOutput out;
        ASSERT_TRUE(print_selection(c.choice, c.json, out));
        EXPECT_EQ(out.out, c.text);
        EXPECT_EQ(out.err, "");
    }

    kestrune::testing::CapturedOutput out;
    ASSERT_TRUE(print_selection({&alexandria, &athens}, true, out));
    EXPECT_TRUE(out.out.starts_with("[\n  {\n    \"is_known\": true,")) << out.out;
    EXPECT_TRUE(out.out.ends_with("\n  }\n]")) << out.out;
    const auto parsed = nlohmann::ordered_json::parse(out.out);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0]["name"], "RAD Studio 11");
    EXPECT_EQ(parsed[1]["name"], "RAD Studio 12");
}

}  // namespace
}  // namespace kestrune::cli
