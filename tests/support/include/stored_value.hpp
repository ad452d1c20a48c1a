// A registry value read exactly as it is stored, so that tests can check what was written
// without going through the code they test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::testing {

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    // The data as code units, every NUL kept.
    std::wstring units() const {
        return std::wstring(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    }
};

// The value in the key below `parent`, or nullopt when it (or its key) does not exist.
inline std::optional<StoredValue> read_stored_value(HKEY parent, const std::wstring& key, const std::wstring& name) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(parent, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
    StoredValue value;
    DWORD size = 0;
    LSTATUS status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
        // Never an empty buffer: without one the registry only tells the size.
        value.data.resize(static_cast<std::size_t>(size) + 1);
        size = static_cast<DWORD>(value.data.size());
        status = RegQueryValueExW(k, name.c_str(), nullptr, &value.type, value.data.data(), &size);
    }
    RegCloseKey(k);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.data.resize(size);
    return value;
}

}  // namespace kestrune::testing
