// Path lists: registry string values holding paths separated by ";", an entry that holds a
// ";" written between double quotes. Entries are UTF-16 code units and survive unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/registry_locations.hpp"
#include "win/registry_error.hpp"

namespace kestrune::catalogue {

// The entries of a path-list text; n separators outside quotes give n + 1 entries.
std::vector<std::wstring> split_path_list(std::wstring_view text);
// The text of the entries; JoinPaths when an entry holds a double quote.
win::RegistryResult<std::wstring> join_path_list(const std::vector<std::wstring>& entries);

// The text of the value as stored; a missing value is the empty text (one empty entry).
win::RegistryResult<std::wstring> read_path_list_text(const RegistryKey& key, const RegistryValue& value);
// The entries of the value; a missing value is one empty entry.
win::RegistryResult<std::vector<std::wstring>> read_path_list(const RegistryKey& key, const RegistryValue& value);
// Joins the entries and stores them as the value; nothing is written when they cannot be joined.
win::RegistryResult<void> write_path_list(const RegistryKey& key, const RegistryValue& value,
                                          std::vector<std::wstring> entries);
}  // namespace kestrune::catalogue
