// How this process meets the console's events (Ctrl+C, Ctrl+Break, the console closing, the
// system shutting down): one handler for the whole run, which acts on what runs at the time, a
// prompt reading keys, a child, or neither.
#pragma once

#include <windows.h>

namespace kestrune::win {

// Installs the handler, from the call on for the rest of the run.
// Ctrl+C or Ctrl+Break before any child has started ends the run at once, as the system's own
// handler would, with STATUS_CONTROL_C_EXIT, but deletes the temporary files still owned
// first. From the first child on they are the children's: see start_child. When the console
// closes or the system shuts down, the child that runs and everything the children started
// are ended, the temporary files still owned are deleted and the process ends with
// STATUS_CONTROL_C_EXIT; a file that another process holds open may stay. A user's logging off
// is ignored: only a process in a service's session hears of it, and then it may be any user's.
void handle_console_events();

// While it lives, Ctrl+C and Ctrl+Break are written into the console input as a Ctrl+C key
// press, for a prompt that reads keys to end as cancelled: on a terminal that keeps signals
// (Wine's, for one) Ctrl+C never reaches the input as a key, and the process would be killed
// with the console's modes still changed. Installs the handler (handle_console_events).
class InterruptsAsKeys {
public:
    explicit InterruptsAsKeys(HANDLE input);
    ~InterruptsAsKeys();
    InterruptsAsKeys(const InterruptsAsKeys&) = delete;
    InterruptsAsKeys& operator=(const InterruptsAsKeys&) = delete;
};

// What the handler knows of the child that runs; start_child and Child keep it up to date.

// A child is about to start: interrupts are counted from here, since one that comes while the
// system starts the child may already reach it, and belong to the children from now on.
void child_starting();
// It runs as `process`, in `job` with everything it starts (none: alone).
void child_started(HANDLE process, HANDLE job);
// From then on the handler leaves the process alone; only the child that runs is forgotten.
void child_ended(HANDLE process);
// Whether Ctrl+C or Ctrl+Break came since the last child_starting.
bool interrupted_since_start();

}  // namespace kestrune::win
