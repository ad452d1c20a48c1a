// The edits of a path list's entries that the path-list commands and self make, apart from
// reading and writing the list, so that they can be tested and fuzzed without a registry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::cli {

// Adds each piece of the items text (split as a path list) that the entries lack, at the end
// or (prepend) at the front; every entry already there stays where it is.
void add_path_pieces(std::vector<std::wstring>& entries, std::wstring_view items, bool prepend);
// Removes every entry equal to a piece of the items text; the others keep their order.
void remove_path_pieces(std::vector<std::wstring>& entries, std::wstring_view items);
// Whether two entries are the same path: equal after folding ASCII letters, nothing else.
bool same_path_item(std::wstring_view a, std::wstring_view b);

}  // namespace kestrune::cli
