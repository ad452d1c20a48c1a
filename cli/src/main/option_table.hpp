// The options of a command and the fields of the record they fill, in one table: declaring the
// command and reading its parse result back both go through it, so each id is written once.
#pragma once

#include <string_view>
#include <vector>

#include "args/command.hpp"
#include "args/matches.hpp"
#include "main/read_error.hpp"

namespace kestrune::cli {

// One option: how the command line declares it, and how its value reaches its field.
template <class Options>
struct OptionField {
    using record = Options;
    args::Arg arg;
    ReadResult<void> (*read)(const args::Matches& matches, std::string_view id, Options& options);
};

template <class Options>
using OptionTable = std::vector<OptionField<Options>>;

namespace detail {
template <class Record, class Value>
struct Member {
    using record = Record;
    using value = Value;
};
template <class Record, class Value>
Member<Record, Value> member_of(Value Record::*);
}  // namespace detail

// The reading of an OptionField that fills the field `Field` (a member pointer) with the value
// in its type, as read_value gives it.
template <auto Field>
ReadResult<void> into(const args::Matches& matches, std::string_view id,
                      typename decltype(detail::member_of(Field))::record& options) {
    auto value = read_value<typename decltype(detail::member_of(Field))::value>(matches, id);
    if (!value) return std::unexpected(std::move(value.error()));
    options.*Field = std::move(*value);
    return {};
}

template <class Options>
void declare_options(args::Command& command, const OptionTable<Options>& table) {
    for (const OptionField<Options>& option : table) command.args.push_back(option.arg);
}

// Fills the fields of `options` that the table names, in its order; the first error stops.
template <class Options>
ReadResult<void> read_options(const args::Matches& matches, const OptionTable<Options>& table, Options& options) {
    for (const OptionField<Options>& option : table)
        if (auto done = option.read(matches, option.arg.id, options); !done) return done;
    return {};
}

// A command's declaration and reading from a table function (`const OptionTable<X>& table()`),
// for the rows of a subcommand table.
template <auto Table>
void declare_table(args::Command& command) {
    declare_options(command, Table());
}
template <class Payload, auto Table>
ReadResult<Payload> read_table(const args::Matches& matches) {
    typename std::remove_cvref_t<decltype(Table())>::value_type::record options{};
    if (auto done = read_options(matches, Table(), options); !done) return std::unexpected(std::move(done.error()));
    return Payload{std::move(options)};
}

}  // namespace kestrune::cli
