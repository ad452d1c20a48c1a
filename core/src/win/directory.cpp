#include "win/directory.hpp"

#include <windows.h>

#include "win/grow_buffer.hpp"
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
    return grow_buffer([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

}  // namespace kestrune::win
