#include "win/environment.hpp"

#include <windows.h>

#include "win/grow_buffer.hpp"

namespace kestrune::win {

std::optional<std::wstring> environment_variable(const std::wstring& name) {
    auto value = grow_buffer([&](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name.c_str(), buffer, size); });
    if (value) return std::move(*value);
    // A variable set to the empty text reads as a failure that sets no error.
    if (value.error().code() == std::optional<DWORD>(ERROR_SUCCESS)) return std::wstring();
    return std::nullopt;
}

}  // namespace kestrune::win
