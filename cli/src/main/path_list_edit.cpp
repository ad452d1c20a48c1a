#include "main/path_list_edit.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/path_list.hpp"
#include "text/text.hpp"
#include "win/registry_edit_lock.hpp"

namespace kestrune::cli {
namespace {

bool holds(const std::vector<std::wstring>& entries, std::wstring_view piece) {
    return std::any_of(entries.begin(), entries.end(), [&](const std::wstring& entry) { return same_path_item(entry, piece); });
}

}  // namespace

win::RegistryResult<void> add_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                         std::wstring_view items, bool prepend) {
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(lock.error());
    auto entries = catalogue::read_path_list(key, value);
    if (!entries) return std::unexpected(entries.error());
    for (std::wstring& piece : catalogue::split_path_list(items)) {
        if (holds(*entries, piece)) continue;
        if (prepend)
            entries->insert(entries->begin(), std::move(piece));
        else
            entries->push_back(std::move(piece));
    }
    return catalogue::write_path_list(key, value, std::move(*entries));
}

win::RegistryResult<void> remove_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                            std::wstring_view items) {
    const std::vector<std::wstring> pieces = catalogue::split_path_list(items);
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(lock.error());
    auto entries = catalogue::read_path_list(key, value);
    if (!entries) return std::unexpected(entries.error());
    std::erase_if(*entries, [&](const std::wstring& entry) { return holds(pieces, entry); });
    return catalogue::write_path_list(key, value, std::move(*entries));
}

bool same_path_item(std::wstring_view a, std::wstring_view b) { return text::equal_ignore_ascii_case(a, b); }

}  // namespace kestrune::cli
