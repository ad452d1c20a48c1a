// An installation's properties as one ordered JSON object: the info table and JSON output read it.
#pragma once

#include <expected>
#include <string>

#include <nlohmann/json.hpp>

#include "catalogue/installation.hpp"

namespace kestrune::catalogue {

// A JSON object whose members keep their insertion order.
using PropertyMap = nlohmann::ordered_json;

// The 22 properties, "is_known" to "ide_platforms", computed now; the error text when the
// root directory is not valid UTF-8 (or the JSON library fails otherwise).
std::expected<PropertyMap, std::string> properties(const Installation& installation);

}  // namespace kestrune::catalogue
