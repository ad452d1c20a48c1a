#include "catalogue/version.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace kestrune::catalogue {
namespace {

TEST(Version, VersionNumbers) {
    struct Case {
        std::string_view version;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"23.0", 23},       {"19.9", 19},     {"-3", 0},           {"1e3", 1000},       {"inf", 4294967295u},
        {"nan", 0},         {" 23.0", 0},     {"23.0 ", 0},        {"Globals", 0},      {"5", 5},
        {"+7.5", 7},        {".5", 0},        {"5.", 5},           {"2.5E1", 25},       {"1e+2", 100},
        {"INFINITY", 4294967295u},            {"-inf", 0},         {"NaN", 0},          {"nan(1)", 0},
        {"4294967295", 4294967295u},          {"4294967296", 4294967295u},              {"1e400", 4294967295u},
        {"-1e400", 0},      {"1e-400", 0},    {"1_000", 0},        {"0x10", 0},         {"1e", 0},
        {".", 0},           {"", 0},          {"+", 0},            {"++1", 0},          {"1.2.3", 0},
        {"infinit", 0},     {"\xC2\xA0" "5", 0},
        // Read to the nearest number: the closest to this one is 3, not a little less.
        {"2.99999999999999999", 3},
    };
    for (const Case& c : cases) {
        Installation installation;
        installation.version = std::string(c.version);
        EXPECT_EQ(version_number(installation), c.expected) << '"' << c.version << '"';
    }
}

TEST(Version, DecimalGrammarKeepsTheValue) {
    EXPECT_EQ(parse_decimal("-0.25"), -0.25);
    EXPECT_EQ(parse_decimal("+1e-2"), 0.01);
    EXPECT_TRUE(std::isinf(*parse_decimal("-Inf")));
    EXPECT_LT(*parse_decimal("-Inf"), 0);
    EXPECT_TRUE(std::isnan(*parse_decimal("-nan")));
    EXPECT_EQ(parse_decimal("e5"), std::nullopt);
}

TEST(Version, Saturation) {
    EXPECT_EQ(saturate_u32(-0.5), 0u);
    EXPECT_EQ(saturate_u32(4294967295.5), 4294967295u);
    EXPECT_EQ(saturate_u32(4294967294.9), 4294967294u);
    EXPECT_EQ(saturate_u32(std::nan("")), 0u);
}

TEST(Version, UpdateNumbers) {
    struct Case {
        std::string_view text;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"Update 2", 2},
        {"Update 12 ", 12},
        {"Release 1 Update 3 Update 4", 3},
        {"Update +7", 7},
        {"Update", 0},
        {"update 2", 0},
        {"Update -1", 0},
        {"Update 2 (Patch 1)", 0},
        {"Update 4294967295", 4294967295u},
        {"Update 4294967296", 0},
        {"", 0},
        {"Update\xE3\x80\x80" "5\xC2\xA0", 5},  // ideographic space and no-break space are trimmed
        {"Update ++5", 0},
        {"Update 5Update", 5},
        {"Update 1 2", 0},
        {"Update \xEF\xBC\x95", 0},  // a full-width digit is not an ASCII digit
    };
    for (const Case& c : cases) EXPECT_EQ(parse_update_number(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Version, Unsigned32) {
    EXPECT_EQ(parse_u32("+0"), 0u);
    EXPECT_EQ(parse_u32("007"), 7u);
    EXPECT_EQ(parse_u32("+"), std::nullopt);
    EXPECT_EQ(parse_u32("-0"), std::nullopt);
    EXPECT_EQ(parse_u32("99999999999"), std::nullopt);
}

}  // namespace
}  // namespace kestrune::catalogue
