#include "main/path_list_edit.hpp"

#include <string>
#include <vector>

#include "catalogue/path_list.hpp"
#include "main/path_items.hpp"
#include "win/registry_edit_lock.hpp"

namespace kestrune::cli {

win::RegistryResult<void> add_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                         std::wstring_view items, bool prepend) {
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(lock.error());
    auto entries = catalogue::read_path_list(key, value);
    if (!entries) return std::unexpected(entries.error());
    add_path_pieces(*entries, items, prepend);
    return catalogue::write_path_list(key, value, std::move(*entries));
}

win::RegistryResult<void> remove_path_items(const catalogue::RegistryKey& key, const catalogue::RegistryValue& value,
                                            std::wstring_view items) {
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(lock.error());
    auto entries = catalogue::read_path_list(key, value);
    if (!entries) return std::unexpected(entries.error());
    remove_path_pieces(*entries, items);
    return catalogue::write_path_list(key, value, std::move(*entries));
}

}  // namespace kestrune::cli
