#include "win/module_path.hpp"

#include <windows.h>

#include "win/grow_buffer.hpp"

namespace kestrune::win {

std::expected<std::wstring, IoError> module_path() {
    return grow_buffer([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); },
                       BufferTooSmall::ReturnsBufferSize);
}

}  // namespace kestrune::win
