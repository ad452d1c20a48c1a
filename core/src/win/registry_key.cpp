#include "win/registry_key.hpp"

#include <algorithm>
#include <cstring>

#include "win/utf.hpp"

namespace kestrune::win {
namespace {

std::unexpected<RegistryError> failure(LSTATUS status) {
    return std::unexpected(RegistryError::from_win32(static_cast<std::uint32_t>(status)));
}

bool is_string_type(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The registry functions want NUL-terminated names.
std::wstring terminated(std::wstring_view text) { return std::wstring(text); }

std::wstring units_of(const std::uint8_t* data, std::size_t bytes) {
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

struct KeyCounts {
    DWORD subkeys = 0;
    DWORD max_subkey_name = 0;
    DWORD values = 0;
    DWORD max_value_name = 0;
    DWORD max_value_data = 0;
};

RegistryResult<KeyCounts> query_counts(HKEY key) {
    KeyCounts c;
    const LSTATUS status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &c.subkeys, &c.max_subkey_name, nullptr, &c.values,
                                            &c.max_value_name, &c.max_value_data, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return failure(status);
    return c;
}

}  // namespace

RegistryResult<std::wstring> RegistryValueData::wide_text() const {
    if (!is_string_type(type)) return std::unexpected(RegistryError::windows_registry(hresult_invalid_data));
    return units_of(data.data(), data.size());
}

RegistryResult<std::string> RegistryValueData::text() const {
    const auto wide = wide_text();
    if (!wide) return std::unexpected(wide.error());
    auto utf8 = to_utf8_strict(*wide);
    if (!utf8) return std::unexpected(RegistryError::windows_registry(hresult_no_unicode));
    return std::move(*utf8);
}

RegistryResult<UniqueKey> open_key(HKEY parent, std::wstring_view path) {
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(parent, terminated(path).c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) return failure(status);
    return UniqueKey(key);
}

RegistryResult<UniqueKey> create_key(HKEY parent, std::wstring_view path) {
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExW(parent, terminated(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return failure(status);
    return UniqueKey(key);
}

RegistryResult<std::vector<std::wstring>> enum_subkeys(HKEY key) {
    const auto counts = query_counts(key);
    if (!counts) return std::unexpected(counts.error());
    std::vector<std::wstring> names;
    names.reserve(counts->subkeys);
    std::wstring buffer(counts->max_subkey_name + 1, L'\0');
    for (DWORD index = 0; index < counts->subkeys; ++index) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(), length);
    }
    return names;
}

RegistryResult<std::vector<RegistryValueData>> enum_values(HKEY key) {
    auto counts = query_counts(key);
    if (!counts) return std::unexpected(counts.error());
    const DWORD count = counts->values;
    std::vector<RegistryValueData> values;
    values.reserve(count);
    std::wstring name;
    std::vector<std::uint8_t> data;
    for (DWORD index = 0; index < count;) {
        // Room for the longest name and data the key holds now; never a null data buffer: given
        // one, RegEnumValueW reports a size without copying anything.
        name.resize(std::max<std::size_t>(name.size(), counts->max_value_name + 1));
        data.resize(std::max<std::size_t>(data.size(), counts->max_value_data + sizeof(wchar_t)));
        DWORD name_length = static_cast<DWORD>(name.size());
        DWORD type = REG_NONE;
        DWORD data_size = static_cast<DWORD>(data.size());
        const LSTATUS status = RegEnumValueW(key, index, name.data(), &name_length, nullptr, &type, data.data(), &data_size);
        if (status == ERROR_MORE_DATA) {
            // A value, or a name added since, outgrew the sizes the key gave: ask it again. The
            // call tells the data's size but not the name's, so when the key's sizes leave both
            // buffers as they are, the name's buffer doubles.
            counts = query_counts(key);
            if (!counts) break;
            const bool key_sizes_grow =
                counts->max_value_name + 1 > name.size() || counts->max_value_data + sizeof(wchar_t) > data.size();
            if (std::size_t{data_size} + sizeof(wchar_t) > data.size())
                data.resize(std::size_t{data_size} + sizeof(wchar_t));
            else if (!key_sizes_grow)
                name.resize(name.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS || data_size > data.size()) break;
        values.push_back({std::wstring(name.data(), name_length), type,
                          std::vector<std::uint8_t>(data.begin(), data.begin() + data_size)});
        ++index;
    }
    return values;
}

RegistryResult<std::optional<std::wstring>> read_string_value(HKEY key, std::wstring_view name) {
    const std::wstring value_name = terminated(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, value_name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) return failure(status);
    if (!is_string_type(type)) return std::unexpected(RegistryError::windows_registry(hresult_invalid_data));

    // Read straight into the text: a long path list is copied once less.
    std::wstring text;
    do {
        // Never a null data buffer: given one, RegQueryValueExW reports a size without copying
        // anything. A value stored again with longer data since the size was asked reports
        // ERROR_MORE_DATA and the size it has now. Room for a NUL beyond it, and an odd size
        // rounded up to whole units.
        text.resize(std::size_t{size} / sizeof(wchar_t) + 2);
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, value_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    } while (status == ERROR_MORE_DATA);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) return failure(status);
    if (size > text.size() * sizeof(wchar_t)) return failure(ERROR_MORE_DATA);
    // The value may have been replaced between the two calls.
    if (!is_string_type(type)) return std::unexpected(RegistryError::windows_registry(hresult_invalid_data));
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

RegistryResult<void> write_string_value(HKEY key, std::wstring_view name, std::wstring_view text, bool expand) {
    const std::wstring data = terminated(text);  // the terminating NUL is part of the stored data
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetValueExW(key, terminated(name).c_str(), 0, expand ? REG_EXPAND_SZ : REG_SZ,
                                          reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    if (status != ERROR_SUCCESS) return failure(status);
    return {};
}

RegistryResult<void> delete_value(HKEY key, std::wstring_view name) {
    const LSTATUS status = RegDeleteValueW(key, terminated(name).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return failure(status);
    return {};
}

}  // namespace kestrune::win
