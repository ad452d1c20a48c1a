#include "win/code_page.hpp"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16le_mark = "\xFF\xFE";
constexpr std::string_view utf16be_mark = "\xFE\xFF";

// UTF-16 bytes in the given order; an odd last byte is not a whole code unit and becomes U+FFFD.
std::string utf16_to_utf8(std::string_view bytes, bool big_endian) {
    std::wstring wide;
    wide.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        wide += static_cast<wchar_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    }
    if (bytes.size() % 2 != 0) wide += L'\uFFFD';
    return to_utf8(wide);
}

}  // namespace

std::string ansi_to_utf8(std::string_view bytes) {
    std::string out;
    // MultiByteToWideChar counts in ints: a longer text goes in pieces that end at a line
    // feed where there is one, so that no character of a multi-byte code page is cut.
    while (!bytes.empty()) {
        auto take = std::min<std::size_t>(bytes.size(), INT_MAX);
        if (take < bytes.size()) {
            if (const auto newline = bytes.substr(0, take).rfind('\n'); newline != std::string_view::npos) take = newline + 1;
        }
        const int size = static_cast<int>(take);
        std::wstring wide(take, L'\0');  // never more UTF-16 units than bytes
        const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), size);
        wide.resize(static_cast<std::size_t>(std::max(written, 0)));
        out += to_utf8(wide);
        bytes.remove_prefix(take);
    }
    return out;
}

std::string utf8_or_ansi(std::string_view bytes) {
    if (text::is_valid_utf8(bytes)) return std::string(bytes);
    return ansi_to_utf8(bytes);
}

std::string decode_text_file(std::string_view bytes) {
    if (bytes.starts_with(utf8_mark)) return to_utf8(to_wide(bytes.substr(utf8_mark.size())));
    if (bytes.starts_with(utf16le_mark)) return utf16_to_utf8(bytes.substr(utf16le_mark.size()), false);
    if (bytes.starts_with(utf16be_mark)) return utf16_to_utf8(bytes.substr(utf16be_mark.size()), true);
    return utf8_or_ansi(bytes);
}

}  // namespace kestrune::win
