#include "catalogue/path_list.hpp"

#include "text/path_list.hpp"
#include "win/registry_key.hpp"
#include "win/utf.hpp"

namespace kestrune::catalogue {

std::vector<std::wstring> split_path_list(std::wstring_view text) { return kestrune::text::split_path_list(text); }

win::RegistryResult<std::wstring> join_path_list(const std::vector<std::wstring>& entries) {
    auto text = kestrune::text::join_path_list(entries);
    if (!text) return std::unexpected(win::RegistryError::join_paths());
    return std::move(*text);
}

win::RegistryResult<std::wstring> read_path_list_text(const RegistryKey& key, const RegistryValue& value) {
    auto text = win::read_string_value(key.get(), win::to_wide(value.name));
    if (!text) return std::unexpected(text.error());
    return std::move(*text).value_or(std::wstring{});
}

win::RegistryResult<std::vector<std::wstring>> read_path_list(const RegistryKey& key, const RegistryValue& value) {
    const auto text = read_path_list_text(key, value);
    if (!text) return std::unexpected(text.error());
    return split_path_list(*text);
}

win::RegistryResult<void> write_path_list(const RegistryKey& key, const RegistryValue& value,
                                          std::vector<std::wstring> entries) {
    const auto text = join_path_list(entries);
    if (!text) return std::unexpected(text.error());
    return win::write_string_value(key.get(), win::to_wide(value.name), *text, value.expand);
}

}  // namespace kestrune::catalogue
