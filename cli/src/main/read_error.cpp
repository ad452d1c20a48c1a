#include "main/read_error.hpp"

namespace kestrune::cli {
namespace {

ReadError missing_subcommand() {
    return {args::ErrorKind::MissingSubcommand, "a subcommand is required but one was not provided"};
}

}  // namespace

ReadError missing_argument(std::string_view id) {
    return {args::ErrorKind::MissingRequiredArgument,
            "the following required argument was not provided: " + std::string(id)};
}

ReadError unknown_subcommand(std::string_view name) {
    return {args::ErrorKind::InvalidSubcommand, "the subcommand '" + std::string(name) + "' wasn't recognized"};
}

ReadResult<bool> read_flag(const args::Matches& m, std::string_view id) {
    if (const auto value = m.flag(id)) return *value;
    return std::unexpected(missing_argument(id));
}

ReadResult<std::string> read_text(const args::Matches& m, std::string_view id) {
    if (auto value = m.text(id)) return std::move(*value);
    return std::unexpected(missing_argument(id));
}

ReadResult<std::wstring> read_path(const args::Matches& m, std::string_view id) {
    if (auto value = m.os_text(id)) return std::move(*value);
    return std::unexpected(missing_argument(id));
}

std::optional<std::string> read_optional_text(const args::Matches& m, std::string_view id) { return m.text(id); }

ReadResult<const args::Matches::Subcommand*> read_subcommand(const args::Matches& m) {
    if (const auto* sub = m.subcommand()) return sub;
    return std::unexpected(missing_subcommand());
}

}  // namespace kestrune::cli
