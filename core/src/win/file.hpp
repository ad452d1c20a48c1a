// Reading a whole file, and writing all of a text to a file or pipe.
#pragma once

#include <windows.h>

#include <expected>
#include <string>
#include <string_view>

#include "win/io_error.hpp"

namespace kestrune::win {

// The file's bytes as they are stored; a relative path is taken against the current directory.
std::expected<std::string, IoError> read_file(const std::wstring& path);

// Writes every byte to the handle, in as many writes as it takes. A write that takes no byte
// is an error (ERROR_WRITE_FAULT), so that a handle that stops accepting data cannot keep the
// caller waiting for ever.
std::expected<void, IoError> write_all(HANDLE handle, std::string_view bytes);

}  // namespace kestrune::win
