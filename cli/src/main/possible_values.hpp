// The value lists of the enumerated options, taken from the catalogue's tables.
#pragma once

#include <vector>

#include "args/command.hpp"

namespace kestrune::cli {

// Architecture names, help texts and hidden aliases, in the enumeration's order.
std::vector<args::PossibleValue> architecture_values();
// Platform names and help texts, in the enumeration's order.
std::vector<args::PossibleValue> platform_values();

}  // namespace kestrune::cli
