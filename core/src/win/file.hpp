// Opening a file for reading, reading it in pieces or whole, and writing all of a text to a
// file or pipe.
#pragma once

#include <windows.h>

#include <cstddef>
#include <expected>
#include <span>
#include <string>
#include <string_view>

#include "win/handle.hpp"
#include "win/io_error.hpp"

namespace kestrune::win {

// Opens an existing file for reading while letting others read, write and delete it: a file
// that another program may still hold, or that is deleted while it is read, can be read to
// its end. A relative path is taken against the current directory.
std::expected<UniqueHandle, IoError> open_for_reading(const std::wstring& path);

// Reads what comes next into the buffer, as much as there is up to its size; 0 at the end.
std::expected<std::size_t, IoError> read_some(HANDLE handle, std::span<char> buffer);

// The file's bytes as they are stored; a relative path is taken against the current directory.
std::expected<std::string, IoError> read_file(const std::wstring& path);

// Writes every byte to the handle, in as many writes as it takes. A write that takes no byte
// is an error (ERROR_WRITE_FAULT), so that a handle that stops accepting data cannot keep the
// caller waiting for ever.
std::expected<void, IoError> write_all(HANDLE handle, std::string_view bytes);

}  // namespace kestrune::win
