// The installations the program knows of, and the one a command acts on.
#pragma once

#include <any>
#include <expected>
#include <string>

namespace kestrune::cli {

// The value parser of the positional NAME: the installation it names, or the cause of the
// parser's invalid-value error.
std::expected<std::any, std::string> parse_installation_name(const std::wstring& raw);

}  // namespace kestrune::cli
