// JSON text as the program prints it.
#pragma once

#include <expected>
#include <string>

#include <nlohmann/json.hpp>

namespace kestrune::cli {

// Two-space indent, one element per line, non-ASCII as UTF-8, no final line feed; or the
// JSON library's error text (a string that is not valid UTF-8, for one).
std::expected<std::string, std::string> pretty_json(const nlohmann::ordered_json& value);
// No indentation at all: the form of a value inside a table cell.
std::expected<std::string, std::string> compact_json(const nlohmann::ordered_json& value);

}  // namespace kestrune::cli
