// Numbers read from registry texts: the version number of an installation and its update number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "catalogue/installation.hpp"

namespace kestrune::catalogue {

// A decimal floating-point number: optional sign, digits with an optional fraction or a
// fraction alone, optional exponent; also inf, infinity and nan in any case. No blanks.
std::optional<double> parse_decimal(std::string_view text);

// Negative numbers and nan give 0, numbers above 4294967295 give 4294967295, others are
// truncated towards zero.
std::uint32_t saturate_u32(double value);

// The installation's version key read as a number and saturated; 0 when it is not a number.
std::uint32_t version_number(const Installation& installation);

// An optional single "+" then one or more ASCII digits, nothing else, within 32 bits.
std::optional<std::uint32_t> parse_u32(std::string_view text);

// The number after the first "Update" of a "Main Product Update" text; 0 when there is none.
std::uint32_t parse_update_number(std::string_view text);

}  // namespace kestrune::catalogue
