#include "main/dcc_options.hpp"

#include <type_traits>
#include <variant>

namespace kestrune::cli {
namespace {

// Each kind of option adds its own settings to the names and help the table gives every option.
void declare(const backends::DccPath&, args::Arg& arg) {
    arg.kind = args::ValueKind::Path;
    arg.required = true;
}
void declare(const backends::DccFlag&, args::Arg& arg) { arg.action = args::Action::SetTrue; }
void declare(const backends::DccText& kind, args::Arg& arg) { arg.default_value = std::string(kind.default_value); }
void declare(const backends::DccList&, args::Arg& arg) { arg.action = args::Action::Append; }
void declare(const backends::DccOptionalText&, args::Arg&) {}
void declare(const backends::DccTrailing&, args::Arg& arg) {
    arg.action = args::Action::Append;
    arg.trailing = true;
}

}  // namespace

void define_dcc_options(args::Command& command) {
    for (const backends::DccOption& option : backends::dcc_option_table) {
        args::Arg arg{.id = std::string(option.id),
                      .short_name = option.short_name,
                      .long_name = std::string(option.long_name),
                      .value_name = std::string(option.value_name),
                      .help = std::string(option.help)};
        std::visit([&](const auto& kind) { declare(kind, arg); }, option.field);
        command.args.push_back(std::move(arg));
    }
}

ReadResult<backends::DccOptions> read_dcc_options(const args::Matches& matches) {
    backends::DccOptions options;
    for (const backends::DccOption& option : backends::dcc_option_table) {
        auto done = std::visit(
            [&](const auto& kind) -> ReadResult<void> {
                // Repeated and trailing values alike: every one given, in command-line order.
                auto value = read_value<std::remove_cvref_t<decltype(options.*kind.field)>>(matches, option.id);
                if (!value) return std::unexpected(std::move(value.error()));
                options.*kind.field = std::move(*value);
                return {};
            },
            option.field);
        if (!done) return std::unexpected(std::move(done.error()));
    }
    return options;
}

std::string dcc_option_id(std::optional<std::string> backends::DccOptions::*field) {
    for (const backends::DccOption& option : backends::dcc_option_table)
        if (const auto* text = std::get_if<backends::DccOptionalText>(&option.field); text && text->field == field)
            return std::string(option.id);
    return {};
}

}  // namespace kestrune::cli
