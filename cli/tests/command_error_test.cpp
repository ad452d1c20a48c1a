#include "main/command_error.hpp"

#include <gtest/gtest.h>

namespace kestrune::cli {
namespace {

TEST(CommandError, ReportsCausesSingleOrNumbered) {
    struct Case {
        CommandError error;
        std::string report;
    } cases[] = {
        {{"the platform must be specified", {}}, "Error: the platform must be specified\n"},
        {{"Malformed XML.", {"unexpected end"}}, "Error: Malformed XML.\n\nCaused by:\n    unexpected end\n"},
        {{"outer", {"first\nsecond line"}}, "Error: outer\n\nCaused by:\n    first\n    second line\n"},
        {{"outer", {"a", "b\nc"}}, "Error: outer\n\nCaused by:\n    0: a\n    1: b\n       c\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.error.report(), c.report);

    CommandError many{"m", {}};
    for (int i = 0; i < 11; ++i) many.causes.push_back("x");
    EXPECT_NE(many.report().find("\n   10: x\n"), std::string::npos);
}

}  // namespace
}  // namespace kestrune::cli
