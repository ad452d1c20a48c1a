// Reading the parse result back into the program's records. These errors arise only when
// the command tree and the reading disagree; they are reported like the parser's own.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "args/error.hpp"
#include "args/matches.hpp"

namespace kestrune::cli {

struct ReadError {
    args::ErrorKind kind;
    std::string message;
};

template <class T>
using ReadResult = std::expected<T, ReadError>;

ReadError missing_argument(std::string_view id);
ReadError unknown_subcommand(std::string_view name);

ReadResult<bool> read_flag(const args::Matches& m, std::string_view id);
ReadResult<std::string> read_text(const args::Matches& m, std::string_view id);
ReadResult<std::wstring> read_path(const args::Matches& m, std::string_view id);
std::optional<std::string> read_optional_text(const args::Matches& m, std::string_view id);

// The value of the argument `id` in the type of the field it fills: a flag, a text (optional or
// required), a path or OS text (optional or required), every value of a repeated argument, or
// the index of an enumerated one as an optional enumeration value.
template <class T>
ReadResult<T> read_value(const args::Matches& m, std::string_view id) {
    if constexpr (std::is_same_v<T, bool>) {
        return read_flag(m, id);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return read_text(m, id);
    } else if constexpr (std::is_same_v<T, std::optional<std::string>>) {
        return read_optional_text(m, id);
    } else if constexpr (std::is_same_v<T, std::wstring>) {
        return read_path(m, id);
    } else if constexpr (std::is_same_v<T, std::optional<std::wstring>>) {
        return m.os_text(id);
    } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
        return m.texts(id);
    } else {
        static_assert(std::is_enum_v<typename T::value_type>, "no reading for this field type");
        const auto choice = m.choice(id);
        return choice ? T(static_cast<typename T::value_type>(*choice)) : T();
    }
}

// The inner subcommand of a command, or the missing-subcommand error.
ReadResult<const args::Matches::Subcommand*> read_subcommand(const args::Matches& m);

}  // namespace kestrune::cli
