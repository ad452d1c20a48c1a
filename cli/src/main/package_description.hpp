// The description of a design-time package, read from the {$DESCRIPTION '...'} line of its source.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "build/compiler_options.hpp"
#include "win/io_error.hpp"

namespace kestrune::cli {

// The text between the apostrophes of the last line that is, trimmed, a lone
// {$DESCRIPTION '...'} directive; the empty text when no line is.
std::string scan_package_description(std::string_view source);

// The description found in the source options.file; an I/O error when it cannot be read or
// is not UTF-8.
std::expected<std::string, win::IoError> read_package_description(const build::DccOptions& options);

}  // namespace kestrune::cli
