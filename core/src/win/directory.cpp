#include "win/directory.hpp"

#include <windows.h>

namespace kestrune::win {
namespace {

bool is_directory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The path without its last component, or empty when nothing is left above it.
std::wstring parent_of(const std::wstring& path) {
    std::size_t end = path.size();
    while (end > 0 && is_separator(path[end - 1])) --end;
    while (end > 0 && !is_separator(path[end - 1])) --end;
    while (end > 0 && is_separator(path[end - 1])) --end;
    if (end == 0 && !path.empty() && is_separator(path[0])) return {};  // a rooted path: the root needs no creating
    return path.substr(0, end);
}

}  // namespace

std::expected<void, IoError> create_directories(const std::wstring& path) {
    if (path.empty() || CreateDirectoryW(path.c_str(), nullptr) || is_directory(path)) return {};
    const DWORD error = GetLastError();
    if (error != ERROR_PATH_NOT_FOUND) return std::unexpected(IoError::from_code(error));
    const std::wstring parent = parent_of(path);
    if (parent.empty() || parent == path) return std::unexpected(IoError::from_code(error));
    if (auto made = create_directories(parent); !made) return made;
    if (CreateDirectoryW(path.c_str(), nullptr) || is_directory(path)) return {};
    return std::unexpected(IoError::last_error());
}

std::expected<std::wstring, IoError> current_directory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        // The directory may change between calls, so a too-small buffer is simply retried.
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return std::unexpected(IoError::last_error());
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

}  // namespace kestrune::win
