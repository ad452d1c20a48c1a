#include "win/module_path.hpp"

#include <windows.h>

namespace kestrune::win {

std::expected<std::wstring, IoError> module_path() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::unexpected(IoError::last_error());
        // GetModuleFileNameW cuts a path that does not fit instead of giving the size it needs.
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 0x10000) return std::unexpected(IoError::from_code(ERROR_INSUFFICIENT_BUFFER));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace kestrune::win
