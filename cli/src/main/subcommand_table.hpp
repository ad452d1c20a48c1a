// Subcommands declared from tables: one row per subcommand gives its name, hidden aliases, help
// texts and arguments, and how its parse result is read. The declaration, the reading and the
// test of a name all go through the same rows.
#pragma once

#include <iterator>
#include <optional>
#include <span>
#include <string_view>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

// How the command line declares one subcommand.
struct Declaration {
    std::string_view name;
    std::span<const std::string_view> aliases{};  // hidden
    std::string_view about;
    std::string_view long_about{};                // empty: about
    void (*define)(args::Command&) = nullptr;     // its arguments; nullptr: none of its own
    bool inner_required = false;                  // an inner subcommand must follow (package, self)
};

args::Command declare(const Declaration& declaration);

// One inner subcommand (env set, package compile, self install, ...) and the reading of its
// parse result into the payload of the command above it.
template <class Payload>
struct InnerSubcommand {
    using payload = Payload;
    Declaration declaration;
    ReadResult<Payload> (*read)(const args::Matches& matches);
};

// The rows are any array of rows with a `declaration`: the table of a command's subcommands.
template <class Rows>
void declare_subcommands(args::Command& command, const Rows& rows) {
    for (const auto& row : rows) command.subcommands.push_back(declare(row.declaration));
}

// The row of that exact name (the parser has already mapped an alias to its name), or nullptr.
template <class Rows>
auto find_subcommand(const Rows& rows, std::string_view name) -> decltype(&*std::begin(rows)) {
    for (const auto& row : rows)
        if (row.declaration.name == name) return &row;
    return nullptr;
}

// Reads the inner subcommand that a command requires (package, self) with its row; the
// command's parse result is given.
template <class Rows>
ReadResult<typename Rows::value_type::payload> read_inner(const Rows& rows, const args::Matches& matches) {
    auto sub = read_subcommand(matches);
    if (!sub) return std::unexpected(sub.error());
    if (const auto* row = find_subcommand(rows, (*sub)->name)) return row->read((*sub)->matches);
    return std::unexpected(unknown_subcommand((*sub)->name));
}

// Reads the inner subcommand that a command may take (env and the path lists) with its row;
// none when none is given or the name is not one of the rows'.
template <class Rows>
ReadResult<std::optional<typename Rows::value_type::payload>> read_optional_inner(const Rows& rows,
                                                                                  const args::Matches& matches) {
    const auto* sub = matches.subcommand();
    const auto* row = sub ? find_subcommand(rows, sub->name) : nullptr;
    if (!row) return std::nullopt;
    return row->read(sub->matches);
}

// The reading of an inner subcommand whose payload is one fixed value.
template <auto Value>
ReadResult<decltype(Value)> read_constant(const args::Matches&) {
    return Value;
}

}  // namespace kestrune::cli
