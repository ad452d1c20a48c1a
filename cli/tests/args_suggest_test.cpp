#include "args/suggest.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace kestrune::args {
namespace {

TEST(ArgsSuggest, JaroWinklerOfKnownPairs) {
    struct Case {
        const char* a;
        const char* b;
        double expected;
    };
    const Case cases[] = {
        {"MARTHA", "MARHTA", 0.9611}, {"DWAYNE", "DUANE", 0.84}, {"DIXON", "DICKSONX", 0.8133},
        {"build", "build", 1.0},      {"abc", "xyz", 0.0},       {"", "", 1.0},
        {"a", "", 0.0},
    };
    for (const auto& c : cases) EXPECT_NEAR(similarity(c.a, c.b), c.expected, 0.0001) << c.a << " / " << c.b;
}

TEST(ArgsSuggest, BestMatchAboveTheThreshold) {
    const std::vector<std::string> names = {"build", "bds", "brcc", "help"};
    struct Case {
        const char* typed;
        std::optional<std::size_t> expected;
    };
    const Case cases[] = {{"bulid", 0}, {"biuld", 0}, {"brc", 2}, {"hlep", 3}, {"xyz", std::nullopt}, {"", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(best_match(c.typed, names), c.expected) << c.typed;
    // Equally close candidates: the first declared wins.
    EXPECT_EQ(best_match("x6", {"x64", "x65"}), 0u);
}

}  // namespace
}  // namespace kestrune::args
