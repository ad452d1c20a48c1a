// Interactive choice among options on the console: one option, or any number of them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::cli {

// The chosen option's index; nothing when the prompt cannot run, fails or is cancelled.
std::optional<std::size_t> select_one(std::string_view message, const std::vector<std::string>& options);
// The ticked options' indices in option order; empty also when the prompt cannot run, fails
// or is cancelled.
std::vector<std::size_t> select_many(std::string_view message, const std::vector<std::string>& options);

}  // namespace kestrune::cli
