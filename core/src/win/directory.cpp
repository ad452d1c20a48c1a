#include "win/directory.hpp"

#include <windows.h>

#include "win/path.hpp"

namespace kestrune::win {
namespace {

bool is_directory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates one directory whose parent exists; an existing directory is fine. Gives the error
// of the creation, which the check for an existing directory would overwrite.
DWORD make_directory(const std::wstring& path) {
    if (CreateDirectoryW(path.c_str(), nullptr)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return is_directory(path) ? ERROR_SUCCESS : error;
}

}  // namespace

std::expected<void, IoError> create_directories(const std::wstring& path) {
    if (path.empty()) return {};
    const DWORD error = make_directory(path);
    if (error == ERROR_SUCCESS) return {};
    if (error != ERROR_PATH_NOT_FOUND) return std::unexpected(IoError::from_code(error));
    const auto parent = parent_directory(path);
    if (!parent || *parent == path) return std::unexpected(IoError::from_code(error));
    if (auto made = create_directories(*parent); !made) return made;
    if (const DWORD retried = make_directory(path); retried != ERROR_SUCCESS)
        return std::unexpected(IoError::from_code(retried));
    return {};
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
