// Version information for the built executable: ten named fields and a raw key=value text.
#pragma once

#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune::backends {

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

// One field of VersionInfo and the build option that fills it.
struct VersionInfoField {
    std::optional<std::string> VersionInfo::*member;
    std::string_view id;              // the field's name, also its option's id
    std::string_view long_name;       // the option's; a named field's key in the rendered text too
    std::string_view value_name;
    std::string_view help;
    std::string_view long_help_tail{};  // a paragraph that only the long help adds
};

// The ten named fields in the record's order, then raw, whose option is --VersionInfo.
inline constexpr std::array<VersionInfoField, 11> version_info_fields{{
    {&VersionInfo::company_name, "company_name", "CompanyName", "COMPANY_NAME",
     "Company that produced the file — for example, Microsoft Corporation"},
    {&VersionInfo::file_description, "file_description", "FileDescription", "FILE_DESCRIPTION",
     "File description to be presented to users"},
    {&VersionInfo::file_version, "file_version", "FileVersion", "FILE_VERSION",
     "Version number of the file — for example, 3.10 or 5.00.RC2"},
    {&VersionInfo::internal_name, "internal_name", "InternalName", "INTERNAL_NAME", "Internal name of the file, if one exists"},
    {&VersionInfo::legal_copyright, "legal_copyright", "LegalCopyright", "LEGAL_COPYRIGHT",
     "Copyright notices that apply to the file"},
    {&VersionInfo::legal_trademarks, "legal_trademarks", "LegalTrademarks", "LEGAL_TRADEMARKS",
     "Trademarks and registered trademarks that apply to the file"},
    {&VersionInfo::original_filename, "original_filename", "OriginalFilename", "ORIGINAL_FILENAME",
     "Original name of the file, not including a path"},
    {&VersionInfo::product_name, "product_name", "ProductName", "PRODUCT_NAME",
     "Name of the product with which the file is distributed"},
    {&VersionInfo::product_version, "product_version", "ProductVersion", "PRODUCT_VERSION",
     "Version of the product with which the file is distributed — for example, 3.10 or 5.00.RC2"},
    {&VersionInfo::comments, "comments", "Comments", "COMMENTS",
     "Additional information that should be displayed for diagnostic purposes"},
    {&VersionInfo::raw, "raw", "VersionInfo", "RAW",
     "Specify version information in the format \"key1=value1;key2=value2;...\"",
     "\n\nValues specified by individual options with the same names override those specified here."},
}};

// The order of version-information keys: code points compared after folding A-Z to a-z.
std::strong_ordering cmp_ignore_ascii_case(std::string_view a, std::string_view b);

// The key and value pairs: the named fields, then the raw pairs whose keys are new, ordered by
// key; none when nothing is given.
std::vector<std::pair<std::string, std::string>> version_info_pairs(const VersionInfo& info);

// The "key=value;..." text the build tools take, of those pairs; empty when nothing is given.
std::string version_info_keys(const VersionInfo& info);

}  // namespace kestrune::backends
