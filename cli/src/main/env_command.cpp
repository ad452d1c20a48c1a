#include "main/env_command.hpp"

#include <any>
#include <optional>

#include "catalogue/paths.hpp"
#include "catalogue/registry_locations.hpp"
#include "main/app.hpp"
#include "main/installations.hpp"
#include "output/sink.hpp"
#include "table/table.hpp"
#include "win/registry_edit_lock.hpp"
#include "win/registry_key.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {

namespace {

// The empty name is the key's default value, and "=" ends a name in an environment block: the
// IDE can pass neither on as a variable. Removing such a value stays possible.
std::expected<std::any, std::string> settable_variable_name(const std::wstring& name) {
    if (name.empty()) return std::unexpected("a variable name cannot be empty");
    if (name.find(L'=') != std::wstring::npos) return std::unexpected("a variable name cannot hold '='");
    return std::any{};
}

}  // namespace

void define_env_subcommands(args::Command& command) {
    auto name_arg = [](std::string value_name, std::string id, std::string help) {
        return args::Arg{.id = std::move(id), .value_name = std::move(value_name), .help = std::move(help), .required = true};
    };
    args::Arg set_name = name_arg("NAME", "name", "Specify environment variable name");
    set_name.value_parser = settable_variable_name;
    command.subcommands.push_back(args::Command{
        .name = "set",
        .aliases = {"add"},
        .about = "Set IDE environment variable",
        .args = {std::move(set_name), name_arg("VALUE", "value", "Specify environment variable value")},
    });
    command.subcommands.push_back(args::Command{
        .name = "remove",
        .aliases = {"rm", "delete", "del"},
        .about = "Remove IDE environment variable",
        .args = {name_arg("NAME", "name", "Specify environment variable name")},
    });
}

ReadResult<EnvCommands> read_env_command(const args::Matches::Subcommand& sub) {
    if (sub.name == "set") {
        auto name = read_text(sub.matches, "name");
        if (!name) return std::unexpected(name.error());
        auto value = read_text(sub.matches, "value");
        if (!value) return std::unexpected(value.error());
        return EnvSet{std::move(*name), std::move(*value)};
    }
    if (sub.name == "remove") {
        auto name = read_text(sub.matches, "name");
        if (!name) return std::unexpected(name.error());
        return EnvRemove{std::move(*name)};
    }
    return std::unexpected(unknown_subcommand(sub.name));
}

namespace {

// One architecture's variables as a Name/Value table. Any value that is not valid text fails
// the listing before the table is printed, so a half table is never shown.
win::RegistryResult<void> list_variables(const catalogue::RegistryKey& key, catalogue::Architecture architecture) {
    print(std::string(catalogue::ide_name(architecture)) + "\n");
    const auto values = win::enum_values(key.get());
    if (!values) return std::unexpected(values.error());
    Table table({"Name", "Value"});
    for (const win::RegistryValueData& value : *values) {
        auto text = value.text();
        if (!text) return std::unexpected(text.error());
        table.add_row({win::to_utf8(value.name), std::move(*text)});
    }
    print(render_for_stdout(table) + "\n");
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

std::string no_ide_for_platform(catalogue::Platform platform) {
    return std::string(catalogue::name(platform)) + " does not map to a valid IDE architecture";
}

std::expected<catalogue::EnumSet<catalogue::Architecture>, CommandError> choose_ide_architectures(
    App& app, std::string (*no_ide_for)(catalogue::Platform)) {
    const catalogue::EnumSet<catalogue::Architecture> installed = catalogue::ide_architectures(resolve_installation(app));
    if (const auto architecture = app.global_options.architecture) {
        if (!installed.contains(*architecture))
            return std::unexpected(CommandError{std::string(catalogue::ide_name(*architecture)) + " is not installed", {}});
        return catalogue::EnumSet<catalogue::Architecture>{*architecture};
    }
    if (const auto platform = app.global_options.platform) {
        for (const catalogue::Architecture architecture : installed)
            if (catalogue::info(architecture).ide_platform == *platform) return catalogue::EnumSet<catalogue::Architecture>{architecture};
        return std::unexpected(CommandError{no_ide_for(*platform), {}});
    }
    return installed;
}

namespace {

// Lists, sets or removes the variables of each architecture's IDE, x86 first; stops at the
// first error.
win::RegistryResult<void> run_env(const std::optional<EnvCommands>& command, const catalogue::Installation& installation,
                                  const catalogue::EnumSet<catalogue::Architecture>& architectures) {
    for (const catalogue::Architecture architecture : architectures) {
        const auto location = catalogue::environment_variables_location(installation, architecture);
        if (!location) return std::unexpected(location.error());
        const catalogue::RegistryKey& key = location->key;
        win::RegistryResult<void> done;
        if (!command)
            done = list_variables(key, architecture);
        else
            done = edit_variable(*command, key);
        if (!done) return done;
    }
    return {};
}

}  // namespace

std::expected<void, CommandError> run_env_command(App& app) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto architectures = choose_ide_architectures(app);
    if (!architectures) return std::unexpected(architectures.error());
    auto done = run_env(std::get<commands::Env>(*app.command).command, installation, *architectures);
    if (!done) return std::unexpected(command_error(done.error()));
    return {};
}

}  // namespace kestrune::cli
