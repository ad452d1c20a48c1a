// Lists of paths in one text, separated by ";": read the way cmd.exe reads PATH, and written so
// that they read back the same. The entries are UTF-16 code units, kept as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::text {

// A double quote opens or closes a stretch in which ";" separates nothing, and is itself no
// part of an entry; n separators outside such stretches give n + 1 entries, empty ones too.
std::vector<std::wstring> split_path_list(std::wstring_view text);

// The entries joined by ";", an entry that holds a ";" between double quotes; none when an
// entry holds a double quote, which no list can carry so that it reads back the same.
std::optional<std::wstring> join_path_list(const std::vector<std::wstring>& entries);

}  // namespace kestrune::text
