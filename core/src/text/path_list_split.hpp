// The entries of a ";"-separated list of paths, read the way cmd.exe reads PATH.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::text {

// A double quote opens or closes a stretch in which ";" separates nothing, and is itself no
// part of an entry; n separators outside such stretches give n + 1 entries, empty ones too.
// The entries are UTF-16 code units, kept as they are.
std::vector<std::wstring> split_path_list(std::wstring_view text);

}  // namespace kestrune::text
