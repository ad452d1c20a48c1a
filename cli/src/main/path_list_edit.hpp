// Edits of a path list stored in a registry value: the path-list commands' and self's.
#pragma once

#include <string_view>

#include "catalogue/registry_locations.hpp"
#include "win/registry_error.hpp"

namespace kestrune::cli {

// Adds each piece of the items text that the list lacks, at the end or (prepend) at the
// front; the list is written back even when nothing was added.
win::RegistryResult<void> add_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                         std::wstring_view items, bool prepend);
// Removes every entry equal to a piece of the items text; the list is written back even
// when nothing was removed.
win::RegistryResult<void> remove_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                            std::wstring_view items);

}  // namespace kestrune::cli
