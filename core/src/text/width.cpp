#include "text/width.hpp"

#include <algorithm>

#include "text/text.hpp"
#include "text/width_table.hpp"

namespace kestrune::text {
namespace {

// Columns one code point takes: 2 for East Asian Wide and Fullwidth characters, 0 for
// nonspacing and enclosing marks and format characters (U+200B, U+FEFF, variation selectors),
// 1 for everything else.
std::size_t code_point_width(char32_t c) {
    if (c < 0xA0) return 1;  // the table starts above: plain ASCII never searches it
    const auto& table = detail::width_ranges;
    const auto* found = std::upper_bound(std::begin(table), std::end(table), c,
                                         [](char32_t value, const detail::WidthRange& r) { return value < r.first; });
    if (found == std::begin(table)) return 1;
    --found;
    return c <= found->last ? found->columns : 1;
}

// The width of the code point at `at`, moving `at` past it.
std::size_t next_width(std::string_view text, std::size_t& at) {
    const auto c = next_code_point(text, at);
    return c ? code_point_width(*c) : 1;
}

bool is_ascii(char c) { return static_cast<unsigned char>(c) < 0x80; }

}  // namespace

// ASCII takes one column a byte and needs no decoding: long path lists are almost all ASCII.
std::size_t display_width(std::string_view text) {
    std::size_t columns = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (is_ascii(text[at])) {
            ++columns;
            ++at;
        } else {
            columns += next_width(text, at);
        }
    }
    return columns;
}

std::size_t character_end(std::string_view text, std::size_t at) {
    if (at >= text.size()) return text.size();
    next_code_point(text, at);
    while (at < text.size() && !is_ascii(text[at])) {  // ASCII takes a column: it never joins
        std::size_t next = at;
        if (next_width(text, next) != 0) break;
        at = next;
    }
    return at;
}

std::size_t widest_character(std::string_view text) {
    std::size_t widest = 1;
    for (std::size_t at = 0; at < text.size();) {
        if (is_ascii(text[at])) {
            ++at;
            continue;
        }
        const std::size_t end = character_end(text, at);
        widest = std::max(widest, display_width(text.substr(at, end - at)));
        at = end;
    }
    return widest;
}

std::size_t fitting_prefix(std::string_view text, std::size_t columns) {
    std::size_t end = 0;
    std::size_t used = 0;
    while (end < text.size()) {
        const std::size_t next = character_end(text, end);
        used += display_width(text.substr(end, next - end));
        if (used > columns) break;
        end = next;
    }
    return end;
}

}  // namespace kestrune::text
