#include "win/utf.hpp"

#include <cstdint>

#include "text/text.hpp"

namespace kestrune::win {
namespace {

constexpr char32_t replacement = 0xFFFD;

void append_code_point(std::string& out, char32_t cp) {
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
    if (text::is_high_surrogate(c)) {
        if (i < text.size() && text::is_low_surrogate(text[i])) {
            const wchar_t low = text[i++];
            return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
        }
        return std::nullopt;
    }
    if (text::is_low_surrogate(c)) return std::nullopt;
    return static_cast<char32_t>(c);
}

}  // namespace

std::string to_utf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    append_utf8(out, text);
    return out;
}

void append_utf8(std::string& out, std::wstring_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // ASCII, nearly all of a long path list, goes over a run at a time.
        std::size_t run = i;
        while (run < text.size() && text[run] < 0x80) ++run;
        if (run > i) {
            const std::size_t at = out.size();
            out.resize(at + (run - i));
            for (std::size_t k = i; k < run; ++k) out[at + (k - i)] = static_cast<char>(text[k]);
            i = run;
            continue;
        }
        append_code_point(out, next_utf16(text, i).value_or(replacement));
    }
}

std::optional<std::string> to_utf8_strict(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto cp = next_utf16(text, i);
        if (!cp) return std::nullopt;
        append_code_point(out, *cp);
    }
    return out;
}

std::wstring to_wide(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = text::next_code_point(text, i).value_or(replacement);
        if (cp >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(cp);
        }
    }
    return out;
}

}  // namespace kestrune::win
