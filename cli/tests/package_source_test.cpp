#include "main/package_source.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kestrune::cli {
namespace {

std::string description_of(std::string_view text) { return scan_package_source(text).description; }

TEST(ScanPackageSource, DescriptionLinesStandingAlone) {
    struct Case {
        const char* line;
        const char* description;
    };
    const Case cases[] = {
        {"{$DESCRIPTION 'My Components'}", "My Components"},
        {" \t{$DESCRIPTION \t ' My Components ' \t} \t", " My Components "},  // blanks inside the apostrophes stay
        {"{$DESCRIPTION'x'}", "x"},
        {"{$DESCRIPTION 'It''s mine'}", "It's mine"},
        {"{$DESCRIPTION '''Quoted'''}", "'Quoted'"},
        {"{$DESCRIPTION 'a''''b'}", "a''b"},
        {"{$DESCRIPTION 'lone ' apostrophe'}", "lone ' apostrophe"},
        {"{$DESCRIPTION ''}", ""},
        {"{$DESCRIPTION ''''}", "'"},
        {"\xE3\x80\x80{$DESCRIPTION '\xC3\xA9'}\xC2\xA0\r", "\xC3\xA9"},  // U+3000 and U+00A0 are white space
        {"{$Description 'x'}", nullptr},
        {"{$D 'x'}", nullptr},
        {"{$DESCRIPTION x}", nullptr},
        {"{$DESCRIPTION 'x'} // mine", nullptr},
        {"{$DESCRIPTION 'x}", nullptr},
        {"{$DESCRIPTION '}", nullptr},
        {"{$DESCRIPTION}", nullptr},
        {"(* {$DESCRIPTION 'x'} *)", nullptr},
        {"\xEF\xBB\xBF{$DESCRIPTION 'x'}", nullptr},  // a byte-order mark left in the text is no white space
    };
    for (const Case& c : cases) {
        const std::string expected = c.description ? c.description : "";
        // Alone, and after a matching line that it must replace only when it matches itself.
        EXPECT_EQ(description_of(c.line), expected) << c.line;
        EXPECT_EQ(description_of(std::string("{$DESCRIPTION 'first'}\n") + c.line), c.description ? expected : "first")
            << c.line;
    }
}

TEST(ScanPackageSource, LaterMatchWinsAndLineEndsSplit) {
    EXPECT_EQ(scan_package_source(""), PackageSource{});
    EXPECT_EQ(description_of("package Pkg;\r\n{$DESCRIPTION 'one'}\r\n{$DESCRIPTION 'two'}\r\nend.\r\n"), "two");
    EXPECT_EQ(description_of("{$DESCRIPTION 'one'}\n\n"), "one");
    // Only a line feed ends a line: a lone carriage return leaves both directives on one line.
    EXPECT_EQ(description_of("{$DESCRIPTION 'a'}\r{$DESCRIPTION 'b'}"), "a'}\r{$DESCRIPTION 'b");
}

// The directives that name the package file follow the description's line rule.
TEST(ScanPackageSource, PrefixAndSuffixOfThePackageFile) {
    struct Case {
        const char* text;
        PackageSource source;
    };
    const Case cases[] = {
        {"{$LIBSUFFIX '240'}", {.lib_suffix = "240"}},
        {"  {$LIBPREFIX 'dcl'}\r\n{$LIBSUFFIX '.Delphi10Berlin'}\r\n", {.lib_prefix = "dcl", .lib_suffix = ".Delphi10Berlin"}},
        {"{$LIBSUFFIX AUTO}", {.auto_suffix = true}},
        {"{$LIBSUFFIX '240'}\n{$LIBSUFFIX AUTO}", {.auto_suffix = true}},
        {"{$LIBSUFFIX AUTO}\n{$LIBSUFFIX '290'}", {.lib_suffix = "290"}},
        {"{$IFDEF A}\n{$LIBSUFFIX '1'}\n{$ELSE}\n{$LIBSUFFIX '2'}\n{$ENDIF}", {.lib_suffix = "2"}},
        {"{$LIBSUFFIX 'It''s'}", {.lib_suffix = "It's"}},
        {"{$LIBSUFFIX ''}", {}},
        {"{$LIBSUFFIX auto}", {}},
        {"{$LIBSUFFIX '240'} // Berlin", {}},
        {"{$LibSuffix '240'}", {}},
        {"{$LIBVERSION '1.0'}", {}},
        {"{$LIBSUFFIX 240}", {}},
        {"{$LIBPREFIX AUTO}", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(scan_package_source(c.text), c.source) << c.text;
}

}  // namespace
}  // namespace kestrune::cli
