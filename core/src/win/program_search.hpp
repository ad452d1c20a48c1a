// Finding a program named without a directory, as a child is started by its bare name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrune::win {

// Where a program named without a directory is found: this program's own directory, the
// system directory, the Windows directory, then PATH. The current directory is not searched.
std::optional<std::wstring> find_program(std::wstring_view name);

}  // namespace kestrune::win
