#include "main/path_commands.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "catalogue/path_list.hpp"
#include "main/path_list_edit.hpp"
#include "main/target.hpp"
#include "table/table.hpp"
#include "text/path_list.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

constexpr catalogue::RegistryValue search_path_value{"Search Path", false};
constexpr catalogue::RegistryValue browsing_path_value{"Browsing Path", false};

// The title line and an ID/Item table of the entries of a path-list text. The entries' text
// and their numbers are each written once, into one string, and the table points into it.
void print_path_list(std::string_view title, std::wstring_view list, Output& out) {
    out.print(std::string(title) + "\n");
    std::string cells;
    std::vector<std::size_t> ends;  // where each number and each entry ends in it
    // Room for the text as it is (ASCII, nearly always) and a number of five digits an entry.
    const auto separators = static_cast<std::size_t>(std::count(list.begin(), list.end(), L';'));
    cells.reserve(list.size() + 5 * (separators + 1));
    ends.reserve(2 * (separators + 1));
    std::size_t number = 0;
    text::for_each_path_list_entry(list, [&](std::wstring_view entry) {
        cells += std::to_string(++number);
        ends.push_back(cells.size());
        win::append_utf8(cells, entry);
        ends.push_back(cells.size());
    });
    Table table({"ID", "Item"});
    const std::string_view all(cells);
    for (std::size_t i = 0, start = 0; i < ends.size(); i += 2) {
        table.add_row_of_views({all.substr(start, ends[i] - start), all.substr(ends[i], ends[i + 1] - ends[i])});
        start = ends[i + 1];
    }
    print_table(table, out);
}

// One location's step: the edit the inner subcommand asks for, or the titled listing.
win::RegistryResult<void> edit_or_list(const std::optional<PathCommands>& command, const catalogue::RegistryKey& key,
                                       const catalogue::RegistryValue& value, const std::string& title, Output& out) {
    if (!command) {
        const auto list = catalogue::read_path_list_text(key, value);
        if (!list) return std::unexpected(list.error());
        print_path_list(title, *list, out);
        return {};
    }
    switch (command->kind) {
        case PathCommands::Kind::Add: return add_path_items(key, value, command->item, false);
        case PathCommands::Kind::Insert: return add_path_items(key, value, command->item, true);
        case PathCommands::Kind::Remove: return remove_path_items(key, value, command->item);
    }
    return {};
}

std::expected<void, CommandError> done_or_failed(const win::RegistryResult<void>& done) {
    if (!done) return std::unexpected(command_error(done.error()));
    return {};
}

std::expected<void, CommandError> run_platform_command(std::string_view title, const catalogue::RegistryValue& value,
                                                       const std::optional<PathCommands>& command, App& app, Output& out) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto platforms = choose_platforms(installation, app.global_options);
    if (!platforms) return std::unexpected(platforms.error());
    return done_or_failed(run_platform_path_list(title, value, command, installation, *platforms, out));
}

}  // namespace

win::RegistryResult<void> run_env_path(const std::optional<PathCommands>& command, const catalogue::Installation& installation,
                                       const catalogue::EnumSet<catalogue::Architecture>& architectures, Output& out) {
    for (const catalogue::Architecture architecture : architectures) {
        const auto location = catalogue::environment_variables_location(installation, architecture);
        if (!location) return std::unexpected(location.error());
        const std::string title = std::string(catalogue::ide_name(architecture)) + " PATH";
        if (auto done = edit_or_list(command, location->key, location->value, title, out); !done) return done;
    }
    return {};
}

win::RegistryResult<void> run_platform_path_list(std::string_view title, const catalogue::RegistryValue& value,
                                                 const std::optional<PathCommands>& command,
                                                 const catalogue::Installation& installation,
                                                 const catalogue::EnumSet<catalogue::Platform>& platforms, Output& out) {
    for (const catalogue::Platform platform : platforms) {
        const auto key = catalogue::library_key(installation, platform);
        if (!key) return std::unexpected(key.error());
        const std::string list_title = std::string(catalogue::name(platform)) + " " + std::string(title);
        if (auto done = edit_or_list(command, *key, value, list_title, out); !done) return done;
    }
    return {};
}

std::expected<void, CommandError> run_env_path_command(const std::optional<PathCommands>& command, App& app, Output& out) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto architectures = choose_ide_architectures(installation, app.global_options);
    if (!architectures) return std::unexpected(architectures.error());
    return done_or_failed(run_env_path(command, installation, *architectures, out));
}

std::expected<void, CommandError> run_library_path_command(const std::optional<PathCommands>& command, App& app,
                                                           Output& out) {
    return run_platform_command("Library Path", search_path_value, command, app, out);
}

std::expected<void, CommandError> run_browsing_path_command(const std::optional<PathCommands>& command, App& app,
                                                            Output& out) {
    return run_platform_command("Browsing Path", browsing_path_value, command, app, out);
}

}  // namespace kestrune::cli
