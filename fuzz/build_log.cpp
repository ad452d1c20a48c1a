// The build-log decoder: any bytes, in any pieces, no failure; what it prints is UTF-8, and the
// same however the log was cut into the pieces it was read in.
#include <cstdint>
#include <string>
#include <vector>

#include "backends/build_log.hpp"
#include "check.hpp"

namespace {

using kestrune::fuzz::shown;

// A stand-in for the system's ANSI code page: each byte is the code point of its value, as in
// ISO-8859-1. What matters here is that the decoder hands whole lines to it.
std::string latin1(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | byte >> 6);
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string echoed(std::string_view log, const std::vector<std::size_t>& cuts) {
    std::string out;
    kestrune::backends::BuildLogEcho echo([&](std::string_view text) { out += text; }, latin1);
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        if (cut < from || cut > log.size()) continue;
        echo.feed(log.substr(from, cut - from));
        from = cut;
    }
    echo.feed(log.substr(from));
    echo.finish();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::size_t> cuts;
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    for (std::size_t i = 0; i < count; ++i) cuts.push_back(input.ConsumeIntegralInRange<std::size_t>(0, 4096));
    const std::string log = input.ConsumeRemainingBytesAsString();

    const std::string whole = echoed(log, {});
    KESTRUNE_FUZZ_CHECK(kestrune::text::is_valid_utf8(whole), shown(log));
    KESTRUNE_FUZZ_CHECK(echoed(log, cuts) == whole, shown(log));
    return 0;
}
