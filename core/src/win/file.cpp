#include "win/file.hpp"

#include <windows.h>

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

}  // namespace kestrune::win
