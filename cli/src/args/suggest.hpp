// "Did you mean" suggestions for mistyped subcommands, options and values.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "args/command.hpp"

namespace kestrune::args {

// Jaro-Winkler similarity of two words: 1 for equal words, 0 for nothing in common.
double similarity(std::string_view a, std::string_view b);

// The index of the candidate most similar to `typed`, when its similarity exceeds 0.7;
// the first candidate wins a tie.
std::optional<std::size_t> best_match(std::string_view typed, const std::vector<std::string>& candidates);

// The command's visible subcommands and "help": what a mistyped subcommand is compared with and
// what a missing one is chosen from; aliases are never offered.
std::vector<std::string> subcommand_names(const Command& command);

// The visible subcommand of the command most similar to a mistyped one, or "help"; aliases are
// never offered.
std::optional<std::string> similar_subcommand(const Command& command, std::string_view typed);

// A subcommand's own subcommand whose name a word is, or is close to ("register" for
// "package register"): where the top command takes a value, a word meant as one of those
// is first read as that value.
struct InnerMatch {
    std::string path;  // the subcommand's name, a space and the inner one's
    bool exact;
};
std::optional<InnerMatch> similar_inner_subcommand(const Command& command, std::string_view typed);

}  // namespace kestrune::args
