#include "main/package_description.hpp"

#include <optional>

#include "text/text.hpp"
#include "win/file.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view directive = "{$DESCRIPTION";

// The quoted text of one line, or nothing when the line is not the directive alone. The
// scan does not parse Pascal: comments and strings mean nothing to it.
std::optional<std::string_view> line_description(std::string_view line) {
    line = text::trim(line);
    if (line.size() <= directive.size() || !line.starts_with(directive) || !line.ends_with('}')) return std::nullopt;
    const std::string_view quoted = text::trim(line.substr(directive.size(), line.size() - directive.size() - 1));
    if (quoted.size() < 2 || quoted.front() != '\'' || quoted.back() != '\'') return std::nullopt;
    return quoted.substr(1, quoted.size() - 2);
}

}  // namespace

std::string scan_package_description(std::string_view source) {
    std::string description;
    // A carriage return before the line feed is white space, so trimming removes it.
    while (!source.empty()) {
        const std::size_t end = source.find('\n');
        if (const auto found = line_description(source.substr(0, end))) description = *found;
        if (end == std::string_view::npos) break;
        source.remove_prefix(end + 1);
    }
    return description;
}

std::expected<std::string, win::IoError> read_package_description(const build::DccOptions& options) {
    const auto source = win::read_file(options.file);
    if (!source) return std::unexpected(source.error());
    if (!text::is_valid_utf8(*source)) return std::unexpected(win::IoError::from_text("stream did not contain valid UTF-8"));
    return scan_package_description(*source);
}

}  // namespace kestrune::cli
