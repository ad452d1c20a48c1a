// What the system makes of a path: the file system and the current directory are asked.
#include "win/path.hpp"

#include <windows.h>

#include "win/grow_buffer.hpp"
#include "win/handle.hpp"
#include "win/utf.hpp"

namespace kestrune::win {

bool path_exists(const std::wstring& path) {
    // The system reads a path only up to its first NUL, so a path holding one would be checked
    // cut short, as the directory it names up to there. No file has such a name.
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return false;
    // Opening with backup semantics follows links and works for directories too.
    const UniqueHandle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return static_cast<bool>(h);
}

bool path_exists(std::string_view path) { return path_exists(to_wide(path)); }

std::expected<std::wstring, IoError> absolute_path(const std::wstring& path) {
    return grow_buffer([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

}  // namespace kestrune::win
