// Version information for the built executable: ten named fields and a raw key=value text.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune::build {

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

// The order of version-information keys: code points compared after folding A-Z to a-z.
std::strong_ordering cmp_ignore_ascii_case(std::string_view a, std::string_view b);

// The "key=value;..." text the build tools take: the named fields, then the raw pairs whose
// keys are new, ordered by key; empty when nothing is given.
std::string version_info_keys(const VersionInfo& info);

}  // namespace kestrune::build
