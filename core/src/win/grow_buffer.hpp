// Texts that a system function writes into the caller's buffer, however long they are.
#pragma once

#include <windows.h>

#include <concepts>
#include <cstddef>
#include <expected>
#include <string>

#include "win/io_error.hpp"

namespace kestrune::win {

// How a function tells that the buffer was too small.
enum class BufferTooSmall {
    // It writes nothing and returns the size it needs, the terminating NUL included
    // (GetCurrentDirectoryW, GetEnvironmentVariableW, GetFullPathNameW and most others).
    ReturnsNeededSize,
    // It writes as much as fits and returns the buffer's size (GetModuleFileNameW).
    ReturnsBufferSize,
};

// Calls `fill(buffer, size)`, which returns what the system function returned, with a larger
// buffer until the text fits, and gives the text without its NUL. The function returns the
// text's length when it fits and 0 when it fails; the error is then what GetLastError gives,
// which is ERROR_SUCCESS when the function set none (GetEnvironmentVariableW does so for a
// variable set to the empty text).
template <class Fill>
    requires std::invocable<Fill&, wchar_t*, DWORD>
std::expected<std::wstring, IoError> grow_buffer(Fill&& fill,
                                                 BufferTooSmall convention = BufferTooSmall::ReturnsNeededSize) {
    // A text cut to the buffer says nothing of its length, so that buffer doubles, up to well
    // beyond the longest path the system handles.
    constexpr std::size_t longest = 0x10000;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::unexpected(IoError::last_error());
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (convention == BufferTooSmall::ReturnsBufferSize) {
            if (buffer.size() >= longest) return std::unexpected(IoError::from_code(ERROR_INSUFFICIENT_BUFFER));
            buffer.resize(buffer.size() * 2);
        } else {
            // The text may have grown since the size was asked for (another thread changed the
            // current directory or the variable): then the next call asks again.
            buffer.resize(static_cast<std::size_t>(length) + 1);
        }
    }
}

}  // namespace kestrune::win
