#include "main/select_command.hpp"

#include <string_view>
#include <vector>

#include "catalogue/product.hpp"
#include "main/app.hpp"
#include "main/installations.hpp"
#include "main/properties_json.hpp"
#include "output/sink.hpp"
#include "prompt/select_prompt.hpp"

namespace kestrune::cli {

void define_select_options(args::Command& command) {
    command.args.push_back(args::Arg{
        .id = "message", .value_name = "MESSAGE", .help = "Prompt message", .default_value = std::string("Select IDE:")});
    command.args.push_back(args::Arg{
        .id = "multi", .short_name = 'm', .long_name = "multi", .help = "Allow multi-select", .action = args::Action::SetTrue});
}

ReadResult<SelectOptions> read_select_options(const args::Matches& matches) {
    auto message = read_text(matches, "message");
    if (!message) return std::unexpected(message.error());
    auto multi = read_flag(matches, "multi");
    if (!multi) return std::unexpected(multi.error());
    return SelectOptions{std::move(*message), *multi};
}

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

// Each chosen installation's name between double quotes, as NAME takes it back.
std::vector<std::string> quote_names(const std::vector<const catalogue::Installation*>& choice) {
    std::vector<std::string> quoted;
    for (const auto* installation : choice) quoted.push_back("\"" + catalogue::name(*installation) + "\"");
    return quoted;
}

// Prompts, then prints the quoted names or the JSON array, with no line feed after them.
std::expected<void, CommandError> run_select(std::string_view message, bool multi, bool json) {
    const auto choice = select_installations(installations(), message, multi);
    if (json) {
        auto text = properties_json(choice);
        if (!text) return std::unexpected(std::move(text.error()));
        print(*text);
        return {};
    }
    std::string line;
    for (const std::string& name : quote_names(choice)) {
        if (!line.empty()) line += ' ';
        line += name;
    }
    print(line);
    return {};
}

}  // namespace

std::expected<void, CommandError> run_select_command(App& app) {
    const SelectOptions& options = std::get<commands::Select>(*app.command).options;
    return run_select(options.message, options.multi, app.global_options.json);
}

}  // namespace kestrune::cli
