#include "main/info_command.hpp"

#include <cstddef>
#include <optional>
#include <string>

#include "catalogue/paths.hpp"
#include "catalogue/product.hpp"
#include "catalogue/properties.hpp"
#include "main/installations.hpp"
#include "main/properties_json.hpp"
#include "main/target.hpp"
#include "output/json.hpp"
#include "table/table.hpp"

namespace kestrune::cli {
namespace {

std::unexpected<CommandError> json_error(std::string text) { return std::unexpected(CommandError{std::move(text), {}}); }

std::expected<void, CommandError> print_json_array(const std::vector<const catalogue::Installation*>& list, Output& out) {
    auto text = properties_json(list);
    if (!text) return std::unexpected(std::move(text.error()));
    out.print(*text + "\n");
    return {};
}

std::string tool_set_text(const catalogue::EnumSet<catalogue::Tool>& tools) {
    std::string out = "{";
    for (const catalogue::Tool tool : tools) {
        if (out.size() > 1) out += ", ";
        out += catalogue::name(tool);
    }
    return out + "}";
}

// The installation's display name, after its position when one is given, and its table.
std::expected<void, CommandError> print_table_of(const catalogue::Installation& installation,
                                                 std::optional<std::size_t> position, Output& out) {
    if (position) out.print(std::to_string(*position) + ". ");
    out.print(catalogue::display_name(installation) + "\n");

    Table table({"Property", "Value"});
    auto map = catalogue::properties(installation);
    if (!map) return json_error(map.error());
    for (const auto& [key, value] : map->items()) {
        auto cell = compact_json(value);
        if (!cell) return json_error(cell.error());
        table.add_row({title_case(key), *cell});
    }
    for (const catalogue::Architecture architecture : catalogue::architectures(installation)) {
        const std::string prefix = std::string(catalogue::name(architecture)) + ": ";
        table.add_row({prefix + "Bin Dir", catalogue::bin_dir(installation, architecture)});
        table.add_row({prefix + "rsvars.bat", catalogue::rsvars_path(installation, architecture)});
        table.add_row({prefix + "bds.exe", catalogue::ide_path(installation, architecture)});
        table.add_row({prefix + "Command-line Tools", tool_set_text(catalogue::command_line_tools(installation, architecture))});
    }
    print_table(table, out);
    return {};
}

}  // namespace

std::expected<void, CommandError> print_installation(const catalogue::Installation& installation, bool json, Output& out) {
    if (json) return print_json_array({&installation}, out);
    return print_table_of(installation, std::nullopt, out);
}

std::expected<void, CommandError> print_installations(const std::vector<catalogue::Installation>& list, bool json,
                                                      Output& out) {
    if (list.size() == 1) return print_installation(list.front(), json, out);
    if (json) {
        std::vector<const catalogue::Installation*> all;
        for (const auto& installation : list) all.push_back(&installation);
        return print_json_array(all, out);
    }
    for (std::size_t i = 0; i < list.size(); ++i)
        if (auto printed = print_table_of(list[i], i + 1, out); !printed) return printed;
    return {};
}

std::expected<void, CommandError> run_info_command(App& app, Output& out) {
    const bool json = app.global_options.json;
    if (app.name) return print_installation(*app.name, json, out);
    return print_installations(installations(), json, out);
}

std::expected<void, CommandError> run_without_subcommand(App& app, Output& out) {
    return print_installation(resolve_installation(app), app.global_options.json, out);
}

}  // namespace kestrune::cli
