// The IDE's registry locations under HKEY_CURRENT_USER that the configuration commands edit.
#pragma once

#include <string_view>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "win/registry_error.hpp"
#include "win/registry_key.hpp"

namespace kestrune::catalogue {

// An open key below HKEY_CURRENT_USER that a location hands out; closed with its owner.
using RegistryKey = win::UniqueKey;

// A value's name and whether it is written as REG_EXPAND_SZ (set) or REG_SZ.
struct RegistryValue {
    std::string_view name;
    bool expand = false;
};

// The place of one value: a key it owns, and the value in it.
struct RegistryValueLocation {
    RegistryKey key;
    RegistryValue value;
};

// The installation's version key, opened for reading; never created.
win::RegistryResult<RegistryKey> open_installation_key(const Installation& installation);
// "Known Packages" (with " x64" for the x64 IDE) under the installation key, created when missing.
win::RegistryResult<RegistryKey> known_packages_key(const Installation& installation, Architecture architecture);
// "Environment Variables" (with " x64" for the x64 IDE), created when missing, and its value "Path".
win::RegistryResult<RegistryValueLocation> environment_variables_location(const Installation& installation,
                                                                          Architecture architecture);
// "Library\{platform}" under the installation key, created with any missing parent; for Win32 on
// an IDE before XE2 (version number 1 to 8), "Library" itself.
win::RegistryResult<RegistryKey> library_key(const Installation& installation, Platform platform);
// The user's "Environment" key, created when missing, and its value "Path" written as REG_EXPAND_SZ.
win::RegistryResult<RegistryValueLocation> user_path_location();

}  // namespace kestrune::catalogue
