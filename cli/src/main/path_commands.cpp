#include "main/path_commands.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "catalogue/path_list.hpp"
#include "catalogue/paths.hpp"
#include "main/app.hpp"
#include "main/env_command.hpp"
#include "main/installations.hpp"
#include "output/sink.hpp"
#include "table/table.hpp"
#include "text/text.hpp"
#include "win/registry_edit_lock.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {

void define_path_subcommands(args::Command& command) {
    auto item = [] { return args::Arg{.id = "item", .value_name = "ITEM", .kind = args::ValueKind::OsText, .required = true}; };
    command.subcommands.push_back(args::Command{
        .name = "add",
        .aliases = {"push", "append"},
        .about = "Append a item to the end of paths (skipped if already present)",
        .args = {item()},
    });
    command.subcommands.push_back(args::Command{
        .name = "insert",
        .about = "Prepend a item to the front of paths",
        .args = {item()},
    });
    command.subcommands.push_back(args::Command{
        .name = "remove",
        .aliases = {"rm", "delete", "del"},
        .about = "Remove item from paths",
        .args = {item()},
    });
}

ReadResult<PathCommands> read_path_command(const args::Matches::Subcommand& sub) {
    PathCommands::Kind kind{};
    if (sub.name == "add")
        kind = PathCommands::Kind::Add;
    else if (sub.name == "insert")
        kind = PathCommands::Kind::Insert;
    else if (sub.name == "remove")
        kind = PathCommands::Kind::Remove;
    else
        return std::unexpected(unknown_subcommand(sub.name));
    auto item = sub.matches.os_text("item");
    if (!item) return std::unexpected(missing_argument("item"));
    return PathCommands{kind, std::move(*item)};
}

namespace {

constexpr catalogue::RegistryValue search_path_value{"Search Path", false};
constexpr catalogue::RegistryValue browsing_path_value{"Browsing Path", false};

// The title line and an ID/Item table of the entries, on standard output.
void print_path_list(std::string_view title, const std::vector<std::wstring>& entries) {
    print(std::string(title) + "\n");
    Table table({"ID", "Item"});
    for (std::size_t i = 0; i < entries.size(); ++i) table.add_row({std::to_string(i + 1), win::to_utf8(entries[i])});
    print(render_for_stdout(table) + "\n");
}

// One location's step: the edit the inner subcommand asks for, or the titled listing.
win::RegistryResult<void> edit_or_list(const std::optional<PathCommands>& command, const catalogue::RegistryKey& key,
                                       const catalogue::RegistryValue& value, const std::string& title) {
    if (!command) {
        const auto entries = catalogue::read_path_list(key, value);
        if (!entries) return std::unexpected(entries.error());
        print_path_list(title, *entries);
        return {};
    }
    switch (command->kind) {
        case PathCommands::Kind::Add: return add_path_items(key, value, command->item, false);
        case PathCommands::Kind::Insert: return add_path_items(key, value, command->item, true);
        case PathCommands::Kind::Remove: return remove_path_items(key, value, command->item);
    }
    return {};
}

bool holds(const std::vector<std::wstring>& entries, std::wstring_view piece) {
    return std::any_of(entries.begin(), entries.end(), [&](const std::wstring& entry) { return same_path_item(entry, piece); });
}

std::unexpected<CommandError> failed(const win::RegistryError& error) { return std::unexpected(command_error(error)); }

// The platforms library-path and browsing-path act on: the one --platform names, which must
// be installed, else every installed platform. Fixes App.installation.
std::expected<catalogue::EnumSet<catalogue::Platform>, CommandError> choose_platforms(App& app) {
    const catalogue::EnumSet<catalogue::Platform> installed = catalogue::platforms(resolve_installation(app));
    const auto platform = app.global_options.platform;
    if (!platform) return installed;
    if (!installed.contains(*platform))
        return std::unexpected(CommandError{std::string(catalogue::name(*platform)) + " platform is not installed", {}});
    return catalogue::EnumSet<catalogue::Platform>{*platform};
}

// Lists or edits the IDE PATH ("Path" under "Environment Variables") of each architecture, x86 first.
win::RegistryResult<void> run_env_path(const std::optional<PathCommands>& command, const catalogue::Installation& installation,
                                       const catalogue::EnumSet<catalogue::Architecture>& architectures) {
    for (const catalogue::Architecture architecture : architectures) {
        const auto location = catalogue::environment_variables_location(installation, architecture);
        if (!location) return std::unexpected(location.error());
        const std::string title = std::string(catalogue::ide_name(architecture)) + " PATH";
        if (auto done = edit_or_list(command, location->key, location->value, title); !done) return done;
    }
    return {};
}

// Lists or edits the value in each platform's Library key; the lists are titled
// "{platform} {title}".
win::RegistryResult<void> run_platform_path_list(std::string_view title, const catalogue::RegistryValue& value,
                                                 const std::optional<PathCommands>& command,
                                                 const catalogue::Installation& installation,
                                                 const catalogue::EnumSet<catalogue::Platform>& platforms) {
    for (const catalogue::Platform platform : platforms) {
        const auto key = catalogue::library_key(installation, platform);
        if (!key) return std::unexpected(key.error());
        const std::string list_title = std::string(catalogue::name(platform)) + " " + std::string(title);
        if (auto done = edit_or_list(command, *key, value, list_title); !done) return done;
    }
    return {};
}

std::expected<void, CommandError> run_platform_command(App& app, std::string_view title, const catalogue::RegistryValue& value,
                                                       const std::optional<PathCommands>& command) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto platforms = choose_platforms(app);
    if (!platforms) return std::unexpected(platforms.error());
    if (auto done = run_platform_path_list(title, value, command, installation, *platforms); !done) return failed(done.error());
    return {};
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

std::expected<void, CommandError> run_env_path_command(App& app) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto architectures = choose_ide_architectures(app);
    if (!architectures) return std::unexpected(architectures.error());
    if (auto done = run_env_path(std::get<commands::EnvPath>(*app.command).command, installation, *architectures); !done)
        return failed(done.error());
    return {};
}

std::expected<void, CommandError> run_library_path_command(App& app) {
    return run_platform_command(app, "Library Path", search_path_value, std::get<commands::LibraryPath>(*app.command).command);
}

std::expected<void, CommandError> run_browsing_path_command(App& app) {
    return run_platform_command(app, "Browsing Path", browsing_path_value,
                                std::get<commands::BrowsingPath>(*app.command).command);
}

}  // namespace kestrune::cli
