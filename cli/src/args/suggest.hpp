// "Did you mean" suggestions for mistyped subcommands, options and values.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::args {

// Jaro-Winkler similarity of two words: 1 for equal words, 0 for nothing in common.
double similarity(std::string_view a, std::string_view b);

// The index of the candidate most similar to `typed`, when its similarity exceeds 0.7;
// the first candidate wins a tie.
std::optional<std::size_t> best_match(std::string_view typed, const std::vector<std::string>& candidates);

}  // namespace kestrune::args
