#include "main/select_command.hpp"

#include <string>
#include <string_view>

#include "catalogue/product.hpp"
#include "main/installations.hpp"
#include "main/properties_json.hpp"
#include "prompt/select_prompt.hpp"

namespace kestrune::cli {
namespace {

// The prompt over every installation, shown by display name; the chosen ones in list order,
// none when the prompt fails or is cancelled.
std::vector<const catalogue::Installation*> select_installations(const std::vector<catalogue::Installation>& list,
                                                                 std::string_view message, bool multi) {
    std::vector<std::string> shown;
    for (const auto& installation : list) shown.push_back(catalogue::display_name(installation));
    std::vector<const catalogue::Installation*> choice;
    if (multi) {
        for (const std::size_t i : select_many(message, shown)) choice.push_back(&list[i]);
    } else if (const auto i = select_one(message, shown)) {
        choice.push_back(&list[*i]);
    }
    return choice;
}

}  // namespace

std::expected<void, CommandError> print_selection(const std::vector<const catalogue::Installation*>& choice, bool json,
                                                  Output& out) {
    if (json) {
        auto text = properties_json(choice);
        if (!text) return std::unexpected(std::move(text.error()));
        out.print(*text);
        return {};
    }
    std::string line;
    for (const auto* installation : choice) {
        if (!line.empty()) line += ' ';
        line += "\"" + catalogue::name(*installation) + "\"";
    }
    out.print(line);
    return {};
}

std::expected<void, CommandError> run_select_command(const SelectOptions& options, App& app, Output& out) {
    return print_selection(select_installations(installations(), options.message, options.multi),
                           app.global_options.json, out);
}

}  // namespace kestrune::cli
