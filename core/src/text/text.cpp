#include "text/text.hpp"

#include <cstdio>

namespace kestrune::text {

bool is_white_space(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::optional<char32_t> next_code_point(std::string_view text, std::size_t& at) {
    const auto b0 = static_cast<unsigned char>(text[at]);
    std::size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        ++at;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++at;
        return std::nullopt;
    }
    if (at + len > text.size()) {
        ++at;
        return std::nullopt;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[at + k]);
        if ((b & 0xC0) != 0x80) {
            ++at;
            return std::nullopt;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || is_high_surrogate(cp) || is_low_surrogate(cp)) {
        ++at;
        return std::nullopt;
    }
    at += len;
    return cp;
}

bool is_valid_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();)
        if (!next_code_point(text, at)) return false;
    return true;
}

std::string code_point_name(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

bool is_xml_char(char32_t c) {
    return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

std::optional<char32_t> first_non_xml_char(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto cp = next_code_point(text, at);
        if (!cp) return U'\xFFFD';
        if (!is_xml_char(*cp)) return cp;
    }
    return std::nullopt;
}

namespace {

bool is_name_start(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
           (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

bool is_name_char(char32_t c) {
    return is_name_start(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 || (c >= 0x300 && c <= 0x36F) ||
           (c >= 0x203F && c <= 0x2040);
}

}  // namespace

bool is_xml_name(std::string_view text) {
    bool first = true;
    for (std::size_t at = 0; at < text.size(); first = false) {
        const auto cp = next_code_point(text, at);
        if (!cp || !(first ? is_name_start(*cp) : is_name_char(*cp))) return false;
    }
    return !first;
}

std::string_view trim_start(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t next = begin;
        const auto cp = next_code_point(text, next);
        if (!cp || !is_white_space(*cp)) break;
        begin = next;
    }
    return text.substr(begin);
}

std::string_view trim(std::string_view text) {
    text = trim_start(text);
    // Read forwards like the start, so that both ends take the same bytes for white space:
    // the text ends after the last character, or byte that is not UTF-8, that is none.
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto cp = next_code_point(text, at);
        if (!cp || !is_white_space(*cp)) end = at;
    }
    return text.substr(0, end);
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ascii_lower(c);
    return out;
}

bool equal_ignore_ascii_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

bool equal_ignore_ascii_case(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

}  // namespace kestrune::text
