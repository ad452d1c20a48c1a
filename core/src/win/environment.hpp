// The process's environment variables.
#pragma once

#include <optional>
#include <string>

namespace kestrune::win {

// The variable's value, however long; nullopt when it is not set (or cannot be read). A
// variable set to the empty text gives the empty text.
std::optional<std::wstring> environment_variable(const std::wstring& name);

}  // namespace kestrune::win
