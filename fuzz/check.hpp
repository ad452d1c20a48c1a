// What the fuzz targets share: a check that stops the run on a broken property, so that the
// fuzzer saves the input, and the drawing of structured values from the input's bytes.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>

#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::fuzz {

// Stops the run when a property the target asserts does not hold. Unlike assert it holds in
// every build, and it says which property broke, so that a saved input explains itself.
[[noreturn]] inline void fail(const char* file, int line, const char* condition, std::string_view detail) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    if (!detail.empty()) std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
    std::abort();
}

#define KESTRUNE_FUZZ_CHECK(condition, detail) \
    ((condition) ? (void)0 : ::kestrune::fuzz::fail(__FILE__, __LINE__, #condition, (detail)))

// Text as a C++ string literal would show it, for the detail of a broken property.
inline std::string shown(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            out += code;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
inline std::string shown(std::wstring_view text) { return shown(win::to_utf8(text)); }

// A text of UTF-16 code units drawn from the input, unpaired surrogates included: two bytes
// a unit, up to `max_units`. A byte pattern that favours ASCII keeps the interesting
// characters (quotes, backslashes, blanks, separators) frequent.
inline std::wstring wide_text(FuzzedDataProvider& input, std::size_t max_units) {
    const std::string bytes = input.ConsumeRandomLengthString(max_units * 2);
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        // A byte below 0x80 is that ASCII character; above, it and the next byte make one unit.
        if (byte < 0x80 || i + 1 == bytes.size()) {
            text += static_cast<wchar_t>(byte);
        } else {
            text += static_cast<wchar_t>(((byte & 0x7F) << 8 | static_cast<unsigned char>(bytes[i + 1])) + 0x80);
            ++i;
        }
    }
    return text;
}

}  // namespace kestrune::fuzz
