// Reading a whole file.
#pragma once

#include <expected>
#include <string>

#include "win/io_error.hpp"

namespace kestrune::win {

// The file's bytes as they are stored; a relative path is taken against the current directory.
std::expected<std::string, IoError> read_file(const std::wstring& path);

}  // namespace kestrune::win
