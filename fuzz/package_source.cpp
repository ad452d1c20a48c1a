// The package-source scan: any text, no failure, and what it gives is UTF-8 on one line. A
// directive written as the last line gives back exactly the text it quotes.
#include <cstdint>
#include <string>

#include "check.hpp"
#include "main/package_source.hpp"

namespace {

using kestrune::fuzz::shown;

// The text as a Pascal string: between apostrophes, each apostrophe doubled.
std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

void check_one_line(std::string_view field, std::string_view source) {
    KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(field), shown(source));
    KESTRUNE_FUZZ_CHECK(field.find('\n') == std::string_view::npos, shown(source));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The scan is given text its reader has decoded: UTF-8 by then, whatever the file held.
    const std::string value = kestrune::win::to_utf8(kestrune::win::to_wide(input.ConsumeRandomLengthString(64)));
    const int directive = input.ConsumeIntegralInRange(0, 2);
    const bool crlf = input.ConsumeBool();
    const std::string source = kestrune::win::to_utf8(kestrune::win::to_wide(input.ConsumeRemainingBytesAsString()));

    const kestrune::cli::PackageSource scanned = kestrune::cli::scan_package_source(source);
    check_one_line(scanned.description, source);
    check_one_line(scanned.lib_prefix, source);
    check_one_line(scanned.lib_suffix, source);

    // A value on one line, as a directive can hold it, survives its quoting.
    if (value.find_first_of("\r\n") != std::string::npos) return 0;
    static constexpr const char* names[] = {"{$DESCRIPTION ", "{$LIBPREFIX ", "{$LIBSUFFIX "};
    const std::string text = source + (crlf ? "\r\n" : "\n") + names[directive] + quoted(value) + "}";
    const kestrune::cli::PackageSource last = kestrune::cli::scan_package_source(text);
    const std::string& got = directive == 0 ? last.description : directive == 1 ? last.lib_prefix : last.lib_suffix;
    KESTRUNE_FUZZ_CHECK(got == value, shown(text) + " gave " + shown(got));
    if (directive == 2) KESTRUNE_FUZZ_CHECK(!last.auto_suffix, shown(text));
    return 0;
}
