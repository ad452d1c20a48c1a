// Matching a user-given name ("13", "Florence", "RAD Studio 12.1") to an installation.
#pragma once

#include <string_view>
#include <vector>

#include "catalogue/installation.hpp"

namespace kestrune::catalogue {

// The first installation in list order one of whose names equals the text ignoring ASCII case;
// nullptr when none does. The text is used as given, untrimmed.
const Installation* find_installation(const std::vector<Installation>& installations, std::string_view text);

}  // namespace kestrune::catalogue
