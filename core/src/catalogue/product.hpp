// The product properties derived from an installation record: versions, names, edition.
// Each is computed afresh from the record and its release row and cannot fail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"

namespace kestrune::catalogue {

// The compiler version ("18.5", "35.0", or the version text itself from 37 on); empty where the
// numbering has no compiler.
std::string compiler_version(const Installation& installation);
// The compiler version times ten ("18.5" gives 185); 0 when there is none.
std::uint32_t compiler_version_number(const Installation& installation);
// The package version in decimal; empty where the numbering has no package version.
std::string package_version(const Installation& installation);
// The package version times ten, capped at 4294967295; 0 when there is none.
std::uint32_t package_version_number(const Installation& installation);
// "Delphi", "Borland Developer Studio" or "RAD Studio".
std::string product_family(const Installation& installation);
// The release row's product version, or the version text in angle brackets.
std::string product_version(const Installation& installation);
// The family and product version, or the stored name of an unknown release.
std::string product_name(const Installation& installation);
// The product name with ".N" for a non-zero update number.
std::string name(const Installation& installation);
// The release row's code name; empty without one.
std::string code_name(const Installation& installation);
// The name followed by the code name when there is one.
std::string full_name(const Installation& installation);
// Whether the "Edition" value is exactly "Starter".
bool is_community(const Installation& installation);
// The Community edition, or none.
std::optional<ProductEdition> edition(const Installation& installation);
// How an installation is shown to the user: the full name, with the edition when there is one.
std::string display_name(const Installation& installation);

}  // namespace kestrune::catalogue
