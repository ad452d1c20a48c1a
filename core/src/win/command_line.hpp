// A child's command line in both directions: written from a program and its arguments, and
// split back into arguments the way the system's C runtime splits it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

#include "win/io_error.hpp"

namespace kestrune::win {

// One argument of a child command: quoted for the runtime's splitter, or written as it is.
struct ChildArgument {
    enum class Kind : std::uint8_t { Ordinary, Verbatim };
    Kind kind = Kind::Ordinary;
    std::wstring text;

    bool operator==(const ChildArgument&) const = default;
};

// A program and its ordered arguments. The program is named as the command line shows it:
// a full path, or a bare name such as cmd.exe that run_child looks up.
struct ChildCommand {
    std::wstring program;
    std::vector<ChildArgument> arguments;

    // Appends an argument that the child's runtime splitter gives back unchanged.
    ChildCommand& arg(std::wstring text);
    // Appends text that goes into the command line exactly as given.
    ChildCommand& verbatim(std::wstring text);
};

// An ordinary argument as the command line carries it: unchanged when it is not empty and
// has no space or tab, otherwise in double quotes; quotes and the backslashes before them
// (and, when quoted, at the end) escaped.
std::wstring quote_argument(std::wstring_view argument);
// The same, in double quotes exactly when `enclose` is set: for text that a program splits
// further at characters of its own choosing, or that is only the end of an argument.
std::wstring quote_argument(std::wstring_view argument, bool enclose);

// The program in double quotes, then each argument after one space.
std::wstring command_line(const ChildCommand& command);

// The longest command line the system passes to a program, in UTF-16 code units without the
// terminator (32 767 with it).
inline constexpr std::size_t max_command_line = 32766;
// The command line, or the error that it is longer than the system takes, which names the
// program; start_child checks it too, so a caller checks first only what it does before.
std::expected<std::wstring, IoError> checked_command_line(const ChildCommand& command);

// Splits a command line: the first element (the program) ends at the first blank outside
// quotes and takes quotes literally otherwise; later arguments follow the backslash and
// quote rules of the C runtime.
std::vector<std::wstring> split_command_line(std::wstring_view line);

// The current process's arguments, program first: its own command line, split. The one call to
// the system here, made in process_arguments.cpp.
std::vector<std::wstring> process_arguments();

}  // namespace kestrune::win
