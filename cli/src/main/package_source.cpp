#include "main/package_source.hpp"

#include <optional>

#include "text/text.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view description_directive = "{$DESCRIPTION";
constexpr std::string_view prefix_directive = "{$LIBPREFIX";
constexpr std::string_view suffix_directive = "{$LIBSUFFIX";

// What follows the directive, trimmed, on a line that is, trimmed, the directive alone up to
// its closing brace; nothing for any other line.
std::optional<std::string_view> directive_argument(std::string_view line, std::string_view directive) {
    if (line.size() <= directive.size() || !line.starts_with(directive) || !line.ends_with('}')) return std::nullopt;
    return text::trim(line.substr(directive.size(), line.size() - directive.size() - 1));
}

// The text of an argument written as a Pascal string: between its apostrophes, each doubled
// apostrophe standing for one.
std::optional<std::string> quoted_text(std::string_view argument) {
    if (argument.size() < 2 || argument.front() != '\'' || argument.back() != '\'') return std::nullopt;
    const std::string_view inner = argument.substr(1, argument.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == '\'' && i + 1 < inner.size() && inner[i + 1] == '\'') ++i;
    }
    return text;
}

void scan_line(std::string_view line, PackageSource& source) {
    line = text::trim(line);
    if (const auto argument = directive_argument(line, description_directive)) {
        if (auto text = quoted_text(*argument)) source.description = std::move(*text);
    } else if (const auto argument = directive_argument(line, prefix_directive)) {
        if (auto text = quoted_text(*argument)) source.lib_prefix = std::move(*text);
    } else if (const auto argument = directive_argument(line, suffix_directive)) {
        if (*argument == "AUTO") {
            source.lib_suffix.clear();
            source.auto_suffix = true;
        } else if (auto text = quoted_text(*argument)) {
            source.lib_suffix = std::move(*text);
            source.auto_suffix = false;
        }
    }
}

}  // namespace

PackageSource scan_package_source(std::string_view text) {
    PackageSource source;
    // A carriage return before the line feed is white space, so trimming removes it.
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        scan_line(text.substr(0, end), source);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return source;
}

}  // namespace kestrune::cli
