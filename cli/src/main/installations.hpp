// The installations the program knows of, and the one a command acts on.
#pragma once

#include <any>
#include <expected>
#include <string>
#include <vector>

#include "catalogue/installation.hpp"
#include "main/app.hpp"

namespace kestrune::cli {

// Every installation, scanned on first use and kept until exit; a failed or empty scan is
// the fatal stop.
const std::vector<catalogue::Installation>& installations();
// The newest installation (of equal versions, the one discovered last).
const catalogue::Installation& latest_installation();

// The value parser of the positional NAME: the installation it names, or the cause of the
// parser's invalid-value error.
std::expected<std::any, std::string> parse_installation_name(const std::wstring& raw);

// The installation the command acts on: NAME's, else the latest; fixed on first use.
const catalogue::Installation& resolve_installation(App& app);

}  // namespace kestrune::cli
