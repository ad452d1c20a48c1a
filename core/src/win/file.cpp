#include "win/file.hpp"

#include <windows.h>

#include <algorithm>

#include "win/handle.hpp"

namespace kestrune::win {

std::expected<std::string, IoError> read_file(const std::wstring& path) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::unexpected(IoError::last_error());
    std::string content;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::unexpected(IoError::last_error());
        if (read == 0) return content;
        content.append(buffer, read);
    }
}

std::expected<void, IoError> write_all(HANDLE handle, std::string_view bytes) {
    // WriteFile takes a 32-bit length; a mebibyte at a time also keeps pipe writes reasonable.
    constexpr std::size_t chunk_limit = std::size_t{1} << 20;
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), chunk_limit));
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return std::unexpected(IoError::last_error());
        if (written == 0) return std::unexpected(IoError::from_code(ERROR_WRITE_FAULT));
        bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
    }
    return {};
}

}  // namespace kestrune::win
