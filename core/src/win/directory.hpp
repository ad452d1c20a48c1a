// Creating directories, and the process's current directory.
#pragma once

#include <expected>
#include <string>

#include "win/io_error.hpp"

namespace kestrune::win {

// Creates the directory and every missing parent; a relative path is taken against the
// current directory. An existing directory, and the empty path, are fine.
std::expected<void, IoError> create_directories(const std::wstring& path);

// The process's current directory, however long it is.
std::expected<std::wstring, IoError> current_directory();

}  // namespace kestrune::win
