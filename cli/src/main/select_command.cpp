#include "main/select_command.hpp"

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

}  // namespace kestrune::cli
