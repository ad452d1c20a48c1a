// The scan of the registry that finds the installed IDE versions.
#pragma once

#include <expected>
#include <vector>

#include "catalogue/installation.hpp"
#include "win/registry_error.hpp"

namespace kestrune::catalogue {

// Every version key under the known base keys of HKEY_CURRENT_USER, in ascending version
// number (ties keep discovery order), or the first registry error that stops the scan.
std::expected<std::vector<Installation>, win::RegistryError> discover_installations();

}  // namespace kestrune::catalogue
