#include "backends/build_log.hpp"

#include <gtest/gtest.h>

namespace kestrune::backends {
namespace {

// A code page of one byte per character, its first 256 code points: what Latin-1 is.
std::string latin1_to_utf8(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

// What is printed for the log, fed in pieces of `piece` bytes, Latin-1 standing in for the
// system's code page.
std::string echoed(std::string_view log, std::size_t piece) {
    std::string out;
    BuildLogEcho echo([&](std::string_view text) { out += text; }, latin1_to_utf8);
    for (std::size_t at = 0; at < log.size(); at += piece) echo.feed(log.substr(at, piece));
    echo.finish();
    return out;
}

TEST(BuildLogEcho, JoinsContinuationLines) {
    struct Case {
        const char* what;
        std::string log, out;
    };
    const Case cases[] = {
        {"continuations", "Build started\n  Compiling\n  Linking\nDone\n", "Build started\nCompilingLinking\n\nDone\n"},
        {"empty log", "", ""},
        {"no final line feed", "a\nb", "a\nb\n"},
        {"ends with a continuation", "a\n  b\n", "a\nb"},
        {"byte-order mark before the spaces", "\xEF\xBB\xBF  x\n", "  x\n"},
        {"several byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF" "a\n", "a\n"},
        {"exactly two spaces", "a\n  \nb\n", "a\n\n\nb\n"},
        {"one space is ordinary", " a\n", " a\n"},
        {"empty line after a continuation", "  x\n\n", "x\n\n\n"},
        {"every leading white space goes", "  \t\xE3\x80\x80x\n", "x"},
        {"carriage return and line feed", "a\r\n  b\r\nc\r\n", "a\nb\n\nc\n"},
        {"carriage return without line feed stays", "a\rb\nc\r", "a\rb\nc\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(echoed(c.log, c.log.size() + 1), c.out) << c.what;
        // However the log is read, a line is one line.
        EXPECT_EQ(echoed(c.log, 1), c.out) << c.what << ", a byte at a time";
    }
}

// bds.exe and the tools it runs write paths in the system's ANSI code page too: a line that is
// not UTF-8 is decoded whole, as the platform says, and then joined like any other.
TEST(BuildLogEcho, ALineThatIsNotUtf8GoesThroughTheAnsiDecoder) {
    const std::string log = "first\n  more J\xFCrgen\r\nJ\xFCrgen\nBuild FAILED \xC3\xBC\n  \xFF\n";
    EXPECT_EQ(echoed(log, log.size()), "first\nmore J\xC3\xBCrgen\n\nJ\xC3\xBCrgen\nBuild FAILED \xC3\xBC\n\xC3\xBF");
}

}  // namespace
}  // namespace kestrune::backends
