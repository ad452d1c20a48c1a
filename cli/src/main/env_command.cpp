#include "main/env_command.hpp"

#include <string>

#include "catalogue/registry_locations.hpp"
#include "main/target.hpp"
#include "table/table.hpp"
#include "win/registry_edit_lock.hpp"
#include "win/registry_key.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

// One architecture's variables as a Name/Value table. Any value that is not valid text fails
// the listing before the table is printed, so a half table is never shown.
win::RegistryResult<void> list_variables(const catalogue::RegistryKey& key, catalogue::Architecture architecture,
                                         Output& out) {
    out.print(std::string(catalogue::ide_name(architecture)) + "\n");
    const auto values = win::enum_values(key.get());
    if (!values) return std::unexpected(values.error());
    Table table({"Name", "Value"});
    for (const win::RegistryValueData& value : *values) {
        auto text = value.text();
        if (!text) return std::unexpected(text.error());
        table.add_row({win::to_utf8(value.name), std::move(*text)});
    }
    print_table(table, out);
    return {};
}

// Set and remove write one value at once, but env-path reads and writes back the variable
// "Path": under the same lock neither undoes the other.
win::RegistryResult<void> edit_variable(const EnvCommands& command, const catalogue::RegistryKey& key) {
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(lock.error());
    if (const auto* set = std::get_if<EnvSet>(&command))
        return win::write_string_value(key.get(), win::to_wide(set->name), win::to_wide(set->value), false);
    return win::delete_value(key.get(), win::to_wide(std::get<EnvRemove>(command).name));
}

}  // namespace

win::RegistryResult<void> run_env(const std::optional<EnvCommands>& command, const catalogue::Installation& installation,
                                  const catalogue::EnumSet<catalogue::Architecture>& architectures, Output& out) {
    for (const catalogue::Architecture architecture : architectures) {
        const auto location = catalogue::environment_variables_location(installation, architecture);
        if (!location) return std::unexpected(location.error());
        const catalogue::RegistryKey& key = location->key;
        win::RegistryResult<void> done;
        if (!command)
            done = list_variables(key, architecture, out);
        else
            done = edit_variable(*command, key);
        if (!done) return done;
    }
    return {};
}

std::expected<void, CommandError> run_env_command(const std::optional<EnvCommands>& command, App& app, Output& out) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto architectures = choose_ide_architectures(installation, app.global_options);
    if (!architectures) return std::unexpected(architectures.error());
    if (auto done = run_env(command, installation, *architectures, out); !done)
        return std::unexpected(command_error(done.error()));
    return {};
}

}  // namespace kestrune::cli
