// Registry keys owned by scope, and the few registry operations the program performs on them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/registry_error.hpp"
#include "win/unique.hpp"

namespace kestrune::win {

// Owner of an open registry key: closed (RegCloseKey, never CloseHandle) when the owner goes
// out of scope.
struct KeyTraits {
    using Value = HKEY;
    static bool owns(HKEY key) { return key != nullptr; }
    static void release(HKEY key) { RegCloseKey(key); }
};

using UniqueKey = Unique<KeyTraits>;

// One value of a key as enumerated: its name, type and raw data.
struct RegistryValueData {
    std::wstring name;  // empty for the default value
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;

    // The UTF-16 text of a string value without trailing NULs; 0x8007000D for another type.
    RegistryResult<std::wstring> wide_text() const;
    // The same text as UTF-8; 0x80070459 when it is not valid UTF-16.
    RegistryResult<std::string> text() const;
};

// Opens an existing key for reading (KEY_READ); never creates it.
RegistryResult<UniqueKey> open_key(HKEY parent, std::wstring_view path);
// Opens a key for reading and writing, creating it and any missing parent (non-volatile).
RegistryResult<UniqueKey> create_key(HKEY parent, std::wstring_view path);

// The names of the key's subkeys, in enumeration order. Fails only when the count cannot be
// asked; a failing index ends the list.
RegistryResult<std::vector<std::wstring>> enum_subkeys(HKEY key);
// The key's values with their data, in enumeration order; fails like enum_subkeys. A value or
// name that grows while the key is enumerated is read again at its new size.
RegistryResult<std::vector<RegistryValueData>> enum_values(HKEY key);

// A REG_SZ or REG_EXPAND_SZ value as stored (trailing NULs dropped, nothing expanded);
// nullopt when the value does not exist, 0x8007000D when it has another type. A value stored
// again with longer text between the size query and the read is read again at its new size.
RegistryResult<std::optional<std::wstring>> read_string_value(HKEY key, std::wstring_view name);
// Stores the text with one terminating NUL as REG_EXPAND_SZ or REG_SZ, replacing a value of any type.
RegistryResult<void> write_string_value(HKEY key, std::wstring_view name, std::wstring_view text, bool expand);
// Deletes a value; a value that does not exist counts as deleted.
RegistryResult<void> delete_value(HKEY key, std::wstring_view name);

}  // namespace kestrune::win
