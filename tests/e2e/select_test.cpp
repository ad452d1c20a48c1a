// select without a console, the way a script that captures everything runs it: the prompt
// cannot be shown, so the choice is empty and the command still succeeds.
#include <gtest/gtest.h>

#include "fixture.hpp"
#include "harness.hpp"

namespace kestrune::e2e {
namespace {

TEST(Select, WithoutAConsoleTheChoiceIsEmpty) {
    Registry registry;
    add_installation(registry, {.version = L"22.0"});
    add_installation(registry, {.version = L"23.0"});
    struct Case {
        std::vector<std::string> args;
        std::string out;
    } const cases[] = {
        {{"select"}, ""},
        {{"select", "-m", "Pick:"}, ""},
        {{"select", "--json"}, "[]"},
        {{"12", "select", "--multi", "--json"}, "[]"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        const std::string line = c.args.back();
        EXPECT_EQ(r.status, 0u) << line << r.err;
        EXPECT_EQ(r.out, c.out) << line;
        EXPECT_EQ(r.err, "") << line;
    }
}

}  // namespace
}  // namespace kestrune::e2e
