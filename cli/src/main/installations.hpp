// The installations the program knows of.
#pragma once

#include <any>
#include <expected>
#include <string>
#include <vector>

#include "catalogue/installation.hpp"

namespace kestrune::cli {

// Every installation, scanned on first use and kept until exit; a failed or empty scan is
// the fatal stop.
const std::vector<catalogue::Installation>& installations();
// The newest installation (of equal versions, the one discovered last).
const catalogue::Installation& latest_installation();

// The value parser of the positional NAME: the installation it names, or the cause of the
// parser's invalid-value error.
std::expected<std::any, std::string> parse_installation_name(const std::wstring& raw);

}  // namespace kestrune::cli
