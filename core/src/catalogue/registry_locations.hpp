// The IDE's registry locations under HKEY_CURRENT_USER that the configuration commands edit.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "win/registry_error.hpp"
#include "win/registry_key.hpp"

namespace kestrune::catalogue {

// A key that operations act on: the owned subkey when present, HKEY_CURRENT_USER otherwise.
struct RegistryKey {
    std::optional<win::UniqueKey> subkey;
    HKEY root = HKEY_CURRENT_USER;

    HKEY get() const { return subkey ? subkey->get() : root; }
};

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
// "Library\{platform}" under the installation key, created with any missing parent.
win::RegistryResult<RegistryKey> library_key(const Installation& installation, Platform platform);
// The user's "Environment" key, created when missing, and its value "Path" written as REG_EXPAND_SZ.
win::RegistryResult<RegistryValueLocation> user_path_location();

// The names of the key's subkeys; fails only when the enumeration cannot start.
win::RegistryResult<std::vector<std::wstring>> key_subkeys(const RegistryKey& key);
// The key's values with their typed data; fails only when the enumeration cannot start.
win::RegistryResult<std::vector<win::RegistryValueData>> key_values(const RegistryKey& key);

}  // namespace kestrune::catalogue
