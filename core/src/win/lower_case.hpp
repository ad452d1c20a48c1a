// Lower-casing by the system's case tables, for comparisons that ignore case beyond ASCII.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::win {

// The text lower-cased as the user's locale does it, unit for unit; the text unchanged when
// the system cannot map it.
std::wstring lower_case(std::wstring_view text);

}  // namespace kestrune::win
