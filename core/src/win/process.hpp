// Child processes: a program with its arguments, its command line, and a run that shares
// the console and waits for the end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/handle.hpp"
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

// Where a program named without a directory is found: this program's own directory, the
// system directory, the Windows directory, then PATH. The current directory is not searched.
std::optional<std::wstring> find_program(std::wstring_view name);

// A child that has been started: owns its process, which the console's interrupts reach
// through it while it runs.
class Child {
public:
    explicit Child(UniqueHandle process) : process_(std::move(process)) {}
    Child(Child&&) noexcept = default;
    Child& operator=(Child&&) = delete;
    ~Child();

    // Waits for the child to end, without a time-out, and gives its exit code; after an
    // interrupt, whatever it was, STATUS_CONTROL_C_EXIT (see start_child).
    std::expected<DWORD, IoError> wait();

private:
    UniqueHandle process_;
};

// How this process meets the console's events, from the call on for the rest of the run.
// Ctrl+C or Ctrl+Break before any child has started ends the run at once, as the system's own
// handler would, with STATUS_CONTROL_C_EXIT, but deletes the temporary files still owned
// first. From the first child on they are the children's: see start_child. When the console
// closes or the system shuts down, the child that runs and everything the children started
// are ended, the temporary files still owned are deleted and the process ends with
// STATUS_CONTROL_C_EXIT; a file that another process holds open may stay. A user's logging off
// is ignored: only a process in a service's session hears of it, and then it may be any user's.
void handle_console_events();

// Starts the child with this process's standard handles, environment and current directory;
// one child runs at a time. It runs in a job with everything it starts, which all end when
// this process ends, however it ends, while the child runs or after it was interrupted; what a
// child that ended by itself leaves running lives on (where the system can make no such job,
// or an outer one forbids it, the child runs alone). From the start on Ctrl+C and Ctrl+Break are left to the
// children: this process ignores them, so it outlives an interrupted child and its callers
// still clean up after it. One that comes while a child runs, or a few milliseconds after it
// ended (the time its status is held back for), makes that child's status read as
// STATUS_CONTROL_C_EXIT, whatever it was; a second one while the same child runs ends it and
// everything it started with that status, since a child that does not see the console's
// interrupts, or ignores them, would run on. Calls handle_console_events.
std::expected<Child, IoError> start_child(const ChildCommand& command);

// Starts the child and waits for it; its exit code, or the error of the start or the wait.
std::expected<DWORD, IoError> run_child(const ChildCommand& command);

}  // namespace kestrune::win
