// One installed IDE version as the registry describes it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "catalogue/enums.hpp"

namespace kestrune::catalogue {

struct Release;  // a row of the release table (catalogue/release.hpp)

// One installed version: made only by discovery and never changed afterwards.
struct Installation {
    std::string base_key;                             // relative to HKEY_CURRENT_USER
    std::string version;                              // the version key's name, U+FFFD for an unpaired surrogate
    // The same name in UTF-16, exactly as enumerated: it opens the key also when it holds an
    // unpaired surrogate. Left empty, the key is named by `version`.
    std::wstring version_key_name;
    std::string registry_product_name;                // default value of "Personalities"
    EnumSet<Personality> personalities;
    std::map<std::string, std::string, std::less<>> registry_values;  // every value of the version key
    const Release* release = nullptr;                 // the release row, when the version is known
    std::uint32_t update_number = 0;

    // A value of the version key by its exact, case-sensitive name; empty when absent.
    std::string_view registry_value(std::string_view name) const;
    // The version key's path relative to HKEY_CURRENT_USER: Software\Embarcadero\BDS\23.0.
    std::wstring version_key_path() const;
};

}  // namespace kestrune::catalogue
