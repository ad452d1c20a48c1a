#include "win/console_events.hpp"

#include <atomic>
#include <mutex>

#include "win/temp_path.hpp"

namespace kestrune::win {
namespace {

// The child that runs now, as the console's handler sees it from a thread of its own: read
// and changed under the lock only, and never destroyed, since that thread may still come while
// the process exits.
struct RunningChild {
    std::mutex lock;
    HANDLE process = nullptr;  // while it runs; cleared before its owner closes it
    HANDLE job = nullptr;      // the job it runs in with everything it starts; none: it runs alone
    unsigned interrupts = 0;   // Ctrl+C and Ctrl+Break since the start
    bool any_started = false;  // from the first start on, interrupts are the children's
};

RunningChild& running_child() {
    static RunningChild& child = *new RunningChild;
    return child;
}

// The console input that interrupts are written into as keys, while a prompt reads it.
std::atomic<HANDLE> key_input{nullptr};

// Ends the child that runs and everything it started; under the lock.
void end_child_tree(const RunningChild& child) {
    if (child.job)
        TerminateJobObject(child.job, STATUS_CONTROL_C_EXIT);
    else if (child.process)
        TerminateProcess(child.process, STATUS_CONTROL_C_EXIT);
}

// What the system's own handler would do, after deleting the temporary files that the run
// still owns: ending the process skips their owners' destructors.
[[noreturn]] void end_now() { exit_deleting_temp_files(STATUS_CONTROL_C_EXIT); }

void write_interrupt_key(HANDLE input) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = 'C';
    record.Event.KeyEvent.uChar.UnicodeChar = 3;
    record.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    DWORD written = 0;
    WriteConsoleInputW(input, &record, 1, &written);
}

// A child shares this process's console, so Ctrl+C and Ctrl+Break reach both: the child
// decides whether the first ends it, and this process outlives it to clean up after it and
// report its status. Before any child has started, an interrupt ends the run at once.
BOOL WINAPI on_console_event(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT: {
            if (const HANDLE input = key_input.load()) {
                write_interrupt_key(input);
                return TRUE;
            }
            RunningChild& child = running_child();
            {
                const std::lock_guard held(child.lock);
                // A child that does not see the console's interrupts (bds.exe, a GUI program,
                // does not) or ignores them would run on, and so would what it started (cmd.exe
                // may end and leave MSBuild.exe running): the second one ends them all.
                if (child.any_started) {
                    if (++child.interrupts >= 2 && child.process) end_child_tree(child);
                    return TRUE;
                }
            }
            end_now();
        }
        case CTRL_CLOSE_EVENT:
        case CTRL_SHUTDOWN_EVENT: {
            // The process is ending; a child that outlives the console (bds.exe does) would
            // build on from files about to be deleted, and write beside them afterwards. What
            // it started ends with it, and so does what a child that has ended left running.
            RunningChild& child = running_child();
            {
                const std::lock_guard held(child.lock);
                end_child_tree(child);
                if (child.process) WaitForSingleObject(child.process, 1000);
            }
            end_now();
        }
        case CTRL_LOGOFF_EVENT:
            // An interactive process is ended before the system sends this; one that gets it
            // runs in a service's session, where any user's logging off sends it: the run goes on.
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void handle_console_events() {
    // Installed once, for the rest of the run: the console delivers an interrupt to each of its
    // processes on its own, so this process may get one only after the child ended on it.
    static const bool installed = SetConsoleCtrlHandler(on_console_event, TRUE) != 0;
    (void)installed;
}

InterruptsAsKeys::InterruptsAsKeys(HANDLE input) {
    handle_console_events();
    key_input.store(input);
}

InterruptsAsKeys::~InterruptsAsKeys() { key_input.store(nullptr); }

void child_starting() {
    RunningChild& child = running_child();
    const std::lock_guard held(child.lock);
    child.process = nullptr;
    child.interrupts = 0;
    child.any_started = true;
}

void child_started(HANDLE process, HANDLE job) {
    RunningChild& child = running_child();
    const std::lock_guard held(child.lock);
    child.process = process;
    child.job = job;
    if (child.interrupts >= 2) end_child_tree(child);
}

void child_ended(HANDLE process) {
    RunningChild& child = running_child();
    const std::lock_guard held(child.lock);
    if (child.process == process) child.process = nullptr;
}

bool interrupted_since_start() {
    RunningChild& child = running_child();
    const std::lock_guard held(child.lock);
    return child.interrupts > 0;
}

}  // namespace kestrune::win
