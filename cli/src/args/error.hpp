// Errors of the parser, and the help and version texts that end a run the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "args/command.hpp"
#include "args/styled.hpp"

namespace kestrune::args {

enum class ErrorKind {
    DisplayHelp,                // -h, --help, help: on stdout, status 0
    DisplayVersion,             // -V, --version: on stdout, status 0
    DisplayHelpOnEmpty,         // help printed because nothing was given: stderr, status 2
    UnknownArgument,
    InvalidSubcommand,
    InvalidValue,
    InvalidUtf8,
    MissingRequiredArgument,
    MissingSubcommand,
    ArgumentUsedTwice,
    UnexpectedArgument,
};

class Error {
public:
    Error(ErrorKind kind, StyledText text) : kind_(kind), text_(std::move(text)) {}

    ErrorKind kind() const { return kind_; }
    // 0 for help and version, 2 for everything else.
    int exit_code() const;
    // Help and version go to standard output; errors and help after an error to standard error.
    bool to_stderr() const;
    // The whole text, ending in a line feed, with ANSI styles when colour is on.
    std::string render(bool color) const { return text_.render(color); }
    const StyledText& text() const { return text_; }

private:
    ErrorKind kind_;
    StyledText text_;
};

// Assembles an error's text: "error: " and the message, the context lines, the tip
// when there is one, and the usage line (without its "Usage:" heading).
Error error_report(ErrorKind kind, const StyledText& message, const std::vector<StyledText>& context,
                   const std::optional<StyledText>& tip, const StyledText& usage_line);

// An error found after parsing, by code that reads the matches: rendered like the
// parser's own errors, with the usage line of `root` (bin_name is the program's file name).
Error make_error(const Command& root, std::string_view bin_name, ErrorKind kind, std::string_view message);

}  // namespace kestrune::args
