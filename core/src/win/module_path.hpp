// The running program's own file.
#pragma once

#include <expected>
#include <string>

#include "win/io_error.hpp"

namespace kestrune::win {

// The full path of the running program, however long it is.
std::expected<std::wstring, IoError> module_path();

}  // namespace kestrune::win
