#include "main/info_command.hpp"

#include <cstddef>
#include <optional>
#include <vector>

#include "catalogue/paths.hpp"
#include "catalogue/product.hpp"
#include "catalogue/properties.hpp"
#include "main/installations.hpp"
#include "main/properties_json.hpp"
#include "output/json.hpp"
#include "output/sink.hpp"
#include "table/table.hpp"

namespace kestrune::cli {
namespace {

std::unexpected<CommandError> json_error(std::string text) { return std::unexpected(CommandError{std::move(text), {}}); }

std::expected<void, CommandError> print_json_array(const std::vector<const catalogue::Installation*>& list) {
    auto text = properties_json(list);
    if (!text) return std::unexpected(std::move(text.error()));
    print(*text + "\n");
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

// One installation: a JSON array of its property map, or its display name and table.
std::expected<void, CommandError> print_installation(const catalogue::Installation& installation,
                                                     std::optional<std::size_t> position, bool json) {
    if (json) return print_json_array({&installation});

    if (position) print(std::to_string(*position) + ". ");
    print(catalogue::display_name(installation) + "\n");

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
    print(render_for_stdout(table) + "\n");
    return {};
}

// NAME's installation alone when given; otherwise the only one, or every one in list order.
std::expected<void, CommandError> run_info(const catalogue::Installation* name, bool json) {
    if (name) return print_installation(*name, std::nullopt, json);
    const auto& list = installations();
    if (list.size() == 1) return print_installation(latest_installation(), std::nullopt, json);
    if (json) {
        std::vector<const catalogue::Installation*> all;
        for (const auto& installation : list) all.push_back(&installation);
        return print_json_array(all);
    }
    for (std::size_t i = 0; i < list.size(); ++i)
        if (auto printed = print_installation(list[i], i + 1, false); !printed) return printed;
    return {};
}

}  // namespace

std::expected<void, CommandError> run_info_command(App& app) { return run_info(app.name, app.global_options.json); }

std::expected<void, CommandError> run_without_subcommand(App& app) {
    return run_info(&resolve_installation(app), app.global_options.json);
}

}  // namespace kestrune::cli
