// The program's own name: the title of its help and the subject of self's messages.
#pragma once

#include <string_view>

namespace kestrune::cli {

inline constexpr std::string_view program_name = "Kestrune CLI";

}  // namespace kestrune::cli
