#include "win/utf.hpp"

#include <cstdint>

namespace kestrune::win {
namespace {

constexpr char32_t replacement = 0xFFFD;

bool is_high(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point from UTF-16 at i, advancing i; nullopt for an unpaired surrogate.
std::optional<char32_t> next_utf16(std::wstring_view text, std::size_t& i) {
    const wchar_t c = text[i++];
    if (is_high(c)) {
        if (i < text.size() && is_low(text[i])) {
            const wchar_t low = text[i++];
            return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
        }
        return std::nullopt;
    }
    if (is_low(c)) return std::nullopt;
    return static_cast<char32_t>(c);
}

}  // namespace

std::optional<char32_t> next_utf8(std::string_view text, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    std::size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return std::nullopt;
    }
    if (i + len > text.size()) {
        ++i;
        return std::nullopt;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += len;
    return cp;
}

std::string to_utf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) append_utf8(out, next_utf16(text, i).value_or(replacement));
    return out;
}

std::optional<std::string> to_utf8_strict(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto cp = next_utf16(text, i);
        if (!cp) return std::nullopt;
        append_utf8(out, *cp);
    }
    return out;
}

std::wstring to_wide(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = next_utf8(text, i).value_or(replacement);
        if (cp >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(cp);
        }
    }
    return out;
}

bool is_valid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (!next_utf8(text, i)) return false;
    return true;
}

}  // namespace kestrune::win
