#include "main/self_command.hpp"

#include <array>
#include <string>
#include <string_view>

#include "catalogue/registry_locations.hpp"
#include "main/path_list_edit.hpp"
#include "main/program_name.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"
#include "win/registry_edit_lock.hpp"
#include "win/registry_key.hpp"

namespace kestrune::cli {
namespace {

constexpr std::wstring_view directory_value = L"KestruneCLI";
// Kept as a reference so the PATH entry survives the program being moved: only the value changes.
constexpr std::wstring_view path_entry = L"%KestruneCLI%";

std::expected<void, CommandError> install(const catalogue::RegistryValueLocation& location, Output& out) {
    const auto program = win::module_path();
    if (!program) return std::unexpected(command_error(program.error()));
    const auto directory = win::parent_directory(*program);
    if (!directory) return std::unexpected(CommandError{"current executable path has no parent directory", {}});
    if (auto written = win::write_string_value(location.key.get(), directory_value, *directory, false); !written)
        return std::unexpected(command_error(written.error()));
    if (auto added = add_path_items(location.key, location.value, path_entry, false); !added)
        return std::unexpected(command_error(added.error()));
    out.print("\u2714\uFE0F " + std::string(program_name) + " installed successfully\n");
    out.print("\u27A1\uFE0F Added to PATH - open a new terminal for it to take effect.\n");
    return {};
}

std::expected<void, CommandError> uninstall(const catalogue::RegistryValueLocation& location, Output& out) {
    if (auto removed = remove_path_items(location.key, location.value, path_entry); !removed)
        return std::unexpected(command_error(removed.error()));
    if (auto deleted = win::delete_value(location.key.get(), directory_value); !deleted)
        return std::unexpected(command_error(deleted.error()));
    out.print("\u2714\uFE0F " + std::string(program_name) + " uninstalled\n\u27A1\uFE0F Removed from PATH.\n");
    return {};
}

}  // namespace

std::expected<void, CommandError> run_self(SelfCommands command, Output& out) {
    const auto location = catalogue::user_path_location();
    if (!location) return std::unexpected(command_error(location.error()));
    // Held over both values, so that an install and an uninstall side by side leave the entry
    // and the value either both in place or both gone. The PATH edit takes it again inside.
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(command_error(lock.error()));
    return command == SelfCommands::Install ? install(*location, out) : uninstall(*location, out);
}

}  // namespace kestrune::cli
