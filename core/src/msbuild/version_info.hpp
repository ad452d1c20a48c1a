// Version information for the built executable: ten named fields and a raw key=value text.
#pragma once

#include <optional>
#include <string>

namespace kestrune::msbuild {

// Every field may be absent; a given field may be the empty text.
struct VersionInfo {
    std::optional<std::string> company_name;
    std::optional<std::string> file_description;
    std::optional<std::string> file_version;
    std::optional<std::string> internal_name;
    std::optional<std::string> legal_copyright;
    std::optional<std::string> legal_trademarks;
    std::optional<std::string> original_filename;
    std::optional<std::string> product_name;
    std::optional<std::string> product_version;
    std::optional<std::string> comments;
    std::optional<std::string> raw;  // "key1=value1;key2=value2;..."

    bool operator==(const VersionInfo&) const = default;
};

}  // namespace kestrune::msbuild
