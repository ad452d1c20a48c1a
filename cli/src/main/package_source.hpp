// What compile --install reads from a package source: the description the IDE shows, and the
// directives by which the compiler names the package file it writes.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "win/io_error.hpp"

namespace kestrune::cli {

struct PackageSource {
    std::string description{};   // {$DESCRIPTION '...'}; empty without one
    std::string lib_prefix{};    // {$LIBPREFIX '...'}: put before the package's stem
    std::string lib_suffix{};    // {$LIBSUFFIX '...'}: put after it
    bool auto_suffix = false;    // {$LIBSUFFIX AUTO}: the suffix is the compiler's package version number

    bool operator==(const PackageSource&) const = default;
};

// Each directive as the last line that is, trimmed, that directive alone gives it: the text
// between its apostrophes, where '' stands for one apostrophe (or, for {$LIBSUFFIX}, AUTO).
// Conditional compilation is not evaluated, and comments and strings mean nothing to the scan.
PackageSource scan_package_source(std::string_view text);

// The source file read as the compiler reads it (by its byte-order mark, else as UTF-8 when it
// is valid UTF-8, else in the system's ANSI code page), then scanned; an I/O error when the file
// cannot be read. Made apart from the scan, in package_source_read.cpp: it asks the system.
std::expected<PackageSource, win::IoError> read_package_source(const std::wstring& file);

}  // namespace kestrune::cli
