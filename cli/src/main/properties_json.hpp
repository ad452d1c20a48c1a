// Installations' property maps as the one JSON array that info and select print.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "catalogue/installation.hpp"
#include "main/command_error.hpp"

namespace kestrune::cli {

// The pretty JSON array of the installations' property maps, in the given order, without a
// final line feed; the first error building a map or writing the text.
std::expected<std::string, CommandError> properties_json(const std::vector<const catalogue::Installation*>& list);

}  // namespace kestrune::cli
