#include "backends/compiler.hpp"

#include <algorithm>
#include <concepts>
#include <optional>
#include <variant>

#include "win/directory.hpp"
#include "win/utf.hpp"

namespace kestrune::backends {
namespace {

// The switch's argument when the field asks for its switch: empty for a flag.
std::optional<std::string> argument(const DccFlag& kind, const DccOptions& options) {
    return options.*kind.field ? std::optional<std::string>("") : std::nullopt;
}
std::optional<std::string> argument(const DccText& kind, const DccOptions& options) {
    const std::string& text = options.*kind.field;
    return text.empty() ? std::nullopt : std::optional(text);
}
std::optional<std::string> argument(const DccOptionalText& kind, const DccOptions& options) { return options.*kind.field; }
std::optional<std::string> argument(const DccList& kind, const DccOptions& options) {
    const std::vector<std::string>& items = options.*kind.field;
    if (items.empty()) return std::nullopt;
    std::string joined = items.front();
    for (std::size_t i = 1; i < items.size(); ++i) joined += ";" + items[i];
    return joined;
}
// The source file and the raw arguments have places of their own on the command line.
std::optional<std::string> argument(const DccPath&, const DccOptions&) { return std::nullopt; }
std::optional<std::string> argument(const DccTrailing&, const DccOptions&) { return std::nullopt; }

bool holds_double_quote(std::string_view text) { return text.find('"') != std::string_view::npos; }
bool holds_double_quote(std::wstring_view text) { return text.find(L'"') != std::wstring_view::npos; }

// Whether the value the field holds, or any of its values, holds a double quote; a flag holds none.
bool field_holds_double_quote(const DccFlag&, const DccOptions&) { return false; }
bool field_holds_double_quote(const DccPath& kind, const DccOptions& options) { return holds_double_quote(options.*kind.field); }
bool field_holds_double_quote(const DccText& kind, const DccOptions& options) { return holds_double_quote(options.*kind.field); }
bool field_holds_double_quote(const DccOptionalText& kind, const DccOptions& options) {
    const auto& value = options.*kind.field;
    return value && holds_double_quote(*value);
}
template <class Kind>
    requires std::same_as<Kind, DccList> || std::same_as<Kind, DccTrailing>
bool field_holds_double_quote(const Kind& kind, const DccOptions& options) {
    return std::ranges::any_of(options.*kind.field, [](const std::string& value) { return holds_double_quote(value); });
}

std::string double_quote_refused(std::string_view option, std::string_view tool) {
    return "the value of " + std::string(option) + " holds a double quote, which cannot be passed to " + std::string(tool);
}

// The switch alone for a flag, else the switch with its value in quotes, which the compiler
// reads as one argument; nothing inside is escaped.
std::wstring switch_text(const DccSwitch& row) {
    const std::wstring switch_ = win::to_wide(row.switch_);
    return row.argument.empty() ? switch_ : switch_ + L"\"" + win::to_wide(row.argument) + L"\"";
}

void add_switch(win::ChildCommand& command, const DccSwitch& row) {
    if (row.argument.empty())
        command.arg(switch_text(row));
    else
        command.verbatim(switch_text(row));
}

win::ChildCommand compiler_with_file(const std::string& compiler, const DccOptions& options) {
    win::ChildCommand command{win::to_wide(compiler), {}};
    command.arg(options.file);
    return command;
}

void add_raw(win::ChildCommand& command, const DccOptions& options) {
    for (const std::string& raw : options.raw) command.arg(win::to_wide(raw));
}

}  // namespace

std::vector<DccSwitch> dcc_switches(const DccOptions& options) {
    std::vector<DccSwitch> rows;
    for (const DccOption& option : dcc_option_table) {
        auto value = std::visit([&](const auto& kind) { return argument(kind, options); }, option.field);
        if (!value) continue;
        rows.push_back({std::move(*value), std::string(option.id), std::string(option.switch_), option.creates_directory});
    }
    return rows;
}

std::optional<std::string> double_quote_refusal(const DccOptions& options, std::string_view tool) {
    for (const DccOption& option : dcc_option_table) {
        if (!std::visit([&](const auto& kind) { return field_holds_double_quote(kind, options); }, option.field)) continue;
        return double_quote_refused(option.long_name.empty() ? std::string(option.value_name)
                                                             : "--" + std::string(option.long_name),
                                    tool);
    }
    return std::nullopt;
}

std::optional<std::string> double_quote_refusal(const BrccOptions& options, std::string_view tool) {
    if (holds_double_quote(options.input_rc)) return double_quote_refused("INPUT_RC", tool);
    if (options.output_res && holds_double_quote(*options.output_res)) return double_quote_refused("OUTPUT_RES", tool);
    return std::nullopt;
}

win::ChildCommand dcc_command(const std::string& compiler, const DccOptions& options) {
    win::ChildCommand command = compiler_with_file(compiler, options);
    for (const DccSwitch& row : dcc_switches(options)) add_switch(command, row);
    add_raw(command, options);
    return command;
}

std::expected<DWORD, win::IoError> run_dcc(const std::string& compiler, const DccOptions& options) {
    const win::ChildCommand command = dcc_command(compiler, options);
    // A command line the system cannot take makes no directory either.
    if (auto line = win::checked_command_line(command); !line) return std::unexpected(std::move(line.error()));
    // Directories are made row by row, so a failure leaves those of earlier rows in place and
    // starts no compiler.
    for (const DccSwitch& row : dcc_switches(options))
        if (row.creates_directory)
            if (auto made = win::create_directories(win::to_wide(row.argument)); !made)
                return std::unexpected(std::move(made.error()));
    return win::run_child(command);
}

win::ChildCommand brcc_command(const std::string& brcc32, const BrccOptions& options) {
    win::ChildCommand command{win::to_wide(brcc32), {}};
    command.arg(options.input_rc);
    if (options.output_res) command.arg(L"-fo").arg(*options.output_res);
    return command;
}

std::expected<DWORD, win::IoError> run_brcc(const std::string& brcc32, const BrccOptions& options) {
    return win::run_child(brcc_command(brcc32, options));
}

}  // namespace kestrune::backends
