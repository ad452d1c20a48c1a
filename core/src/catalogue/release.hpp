// The built-in table of known releases, keyed by registry version.
#pragma once

#include <array>
#include <string_view>

namespace kestrune::catalogue {

// One known release: the registry version key it stands for, its product version and code name.
struct Release {
    std::string_view version;
    std::string_view product_version;
    std::string_view code_name;  // may be empty
};

// Every known release, in ascending order.
extern const std::array<Release, 22> release_table;

// The row whose version equals the text exactly (case and every character); without one, a row
// with no point whose version followed by ".0" is the text ("5.0" gives the row "5"); else nullptr.
const Release* find_release(std::string_view version);

}  // namespace kestrune::catalogue
