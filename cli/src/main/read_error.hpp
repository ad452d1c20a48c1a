// Reading the parse result back into the program's records. These errors arise only when
// the command tree and the reading disagree; they are reported like the parser's own.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>

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

// The inner subcommand of a command, or the missing-subcommand error.
ReadResult<const args::Matches::Subcommand*> read_subcommand(const args::Matches& m);

}  // namespace kestrune::cli
