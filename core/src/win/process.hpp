// Child processes: a run that shares the console and waits for the end.
#pragma once

#include <windows.h>

#include <expected>
#include <utility>

#include "win/command_line.hpp"
#include "win/console_events.hpp"
#include "win/handle.hpp"
#include "win/io_error.hpp"

namespace kestrune::win {

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

// Starts the child with this process's standard handles, environment and current directory
// (a program named without a directory is looked for as find_program does); one child runs at
// a time. It runs in a job with everything it starts, which all end when this process ends,
// however it ends, while the child runs or after it was interrupted; what a child that ended by
// itself leaves running lives on (where the system can make no such job, or an outer one
// forbids it, the child runs alone). From the start on Ctrl+C and Ctrl+Break are left to the
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
