#include "catalogue/version.hpp"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "text/text.hpp"

namespace kestrune::catalogue {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_digits(std::string_view text, std::size_t i) {
    while (i < text.size() && is_digit(text[i])) ++i;
    return i;
}

// Whether the text (sign already removed) is digits with an optional fraction, or a
// fraction alone, followed by an optional exponent.
bool is_finite_form(std::string_view text) {
    std::size_t i = skip_digits(text, 0);
    const bool int_digits = i > 0;
    bool frac_digits = false;
    if (i < text.size() && text[i] == '.') {
        const std::size_t after = skip_digits(text, i + 1);
        frac_digits = after > i + 1;
        i = after;
    }
    if (!int_digits && !frac_digits) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t after = skip_digits(text, i);
        if (after == i) return false;
        i = after;
    }
    return i == text.size();
}

}  // namespace

std::optional<double> parse_decimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const double sign = negative ? -1.0 : 1.0;
    if (text::equal_ignore_ascii_case(text, "inf") || text::equal_ignore_ascii_case(text, "infinity"))
        return sign * std::numeric_limits<double>::infinity();
    if (text::equal_ignore_ascii_case(text, "nan")) return std::numeric_limits<double>::quiet_NaN();
    if (!is_finite_form(text)) return std::nullopt;

    // The form is checked above, so strtod reads all of it, in the "C" locale the program keeps
    // (a point before the fraction); too large a number gives HUGE_VAL, too small one zero.
    const std::string copy(text);
    return sign * std::strtod(copy.c_str(), nullptr);
}

std::uint32_t saturate_u32(double value) {
    constexpr double max = std::numeric_limits<std::uint32_t>::max();
    if (std::isnan(value) || value <= 0) return 0;
    if (value > max) return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(std::trunc(value));
}

std::uint32_t version_number(const Installation& installation) {
    const auto value = parse_decimal(installation.version);
    return value ? saturate_u32(*value) : 0;
}

std::optional<std::uint32_t> parse_u32(std::string_view text) {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (!is_digit(c)) return std::nullopt;
        const std::uint32_t digit = static_cast<std::uint32_t>(c - '0');
        if (value > (std::numeric_limits<std::uint32_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::uint32_t parse_update_number(std::string_view text) {
    constexpr std::string_view word = "Update";
    const std::size_t first = text.find(word);
    if (first == std::string_view::npos) return 0;
    std::string_view piece = text.substr(first + word.size());
    piece = piece.substr(0, piece.find(word));
    return parse_u32(text::trim(piece)).value_or(0);
}

}  // namespace kestrune::catalogue
