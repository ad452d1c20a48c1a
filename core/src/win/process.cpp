#include "win/process.hpp"

#include <array>
#include <mutex>

#include "text/path_list_split.hpp"
#include "win/console.hpp"
#include "win/environment.hpp"
#include "win/grow_buffer.hpp"
#include "win/handle.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"
#include "win/temp_path.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

bool has_directory(std::wstring_view name) { return name.find_first_of(L"\\/:") != std::wstring_view::npos; }

bool is_file(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring own_directory() {
    const auto path = module_path();
    if (!path) return {};
    return parent_directory(*path).value_or(std::wstring());
}

// The directories of PATH as cmd.exe reads them: an entry in double quotes may hold ";".
std::vector<std::wstring> path_directories() {
    std::vector<std::wstring> directories;
    for (std::wstring& entry : text::split_path_list(environment_variable(L"PATH").value_or(std::wstring())))
        if (!entry.empty()) directories.push_back(std::move(entry));
    return directories;
}

// An inheritable duplicate of one of this process's standard handles, so the child gets it
// even when the original was opened without the inherit flag.
UniqueHandle inheritable_std_handle(DWORD which, HANDLE& out) {
    out = GetStdHandle(which);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return {};
    HANDLE duplicate = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), out, GetCurrentProcess(), &duplicate, 0, TRUE, DUPLICATE_SAME_ACCESS))
        return {};  // hand on the original; a console handle may still reach the child
    out = duplicate;
    return UniqueHandle(duplicate);
}

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

// Whether the job's processes end when its last handle closes, that is with this process.
bool set_kill_on_close(HANDLE job, bool kill) {
    // A program that starts one of its own outside every job may still do so.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK | (kill ? JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE : 0);
    return SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) != 0;
}

// The job that every child runs in, with all it starts: while a child runs, the system ends
// them all when the job's last handle closes, so they end with this process however it ends
// (killed, its console closed), and the second Ctrl+C ends them all at once. Made at the first
// start; its handle is never closed, so that it lasts exactly as long as the process. None
// where the system cannot make one: the children then run as they would without it.
HANDLE children_job() {
    static const HANDLE job = [] {
        HANDLE made = CreateJobObjectW(nullptr, nullptr);
        if (!made || set_kill_on_close(made, true)) return made;
        CloseHandle(made);
        return HANDLE(nullptr);
    }();
    return job;
}

// Ends the child that runs and everything it started; under the lock.
void end_child_tree(const RunningChild& child) {
    if (child.job)
        TerminateJobObject(child.job, STATUS_CONTROL_C_EXIT);
    else if (child.process)
        TerminateProcess(child.process, STATUS_CONTROL_C_EXIT);
}

// The console hands an interrupt to each of its processes on its own, so a child that ends at
// once on it may be gone before this process has seen it (under Wine, up to a few milliseconds
// before). A child's status is believed only once this much longer has passed without one; a
// process without a console gets no interrupt and need not wait.
constexpr DWORD late_interrupt_ms = 20;

// Counted from before the start: an interrupt that comes while the system starts the child may
// already reach it.
void child_starting() {
    RunningChild& child = running_child();
    const std::lock_guard held(child.lock);
    child.process = nullptr;
    child.interrupts = 0;
    child.any_started = true;
}

// job: the job the process was put in, if any.
void child_started(HANDLE process, HANDLE job) {
    RunningChild& child = running_child();
    const std::lock_guard held(child.lock);
    child.process = process;
    child.job = job;
    if (child.interrupts >= 2) end_child_tree(child);
}

// From then on the handler leaves the process alone; only the child that runs is forgotten.
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

// What the system's own handler would do, after deleting the temporary files that the run
// still owns: ending the process skips their owners' destructors.
[[noreturn]] void end_now() { exit_deleting_temp_files(STATUS_CONTROL_C_EXIT); }

// A child shares this process's console, so Ctrl+C and Ctrl+Break reach both: the child
// decides whether the first ends it, and this process outlives it to clean up after it and
// report its status. Before any child has started, an interrupt ends the run at once.
BOOL WINAPI on_console_event(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT: {
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

ChildCommand& ChildCommand::arg(std::wstring text) {
    arguments.push_back({ChildArgument::Kind::Ordinary, std::move(text)});
    return *this;
}

ChildCommand& ChildCommand::verbatim(std::wstring text) {
    arguments.push_back({ChildArgument::Kind::Verbatim, std::move(text)});
    return *this;
}

std::wstring quote_argument(std::wstring_view argument) {
    return quote_argument(argument, argument.empty() || argument.find_first_of(L" \t") != std::wstring_view::npos);
}

std::wstring quote_argument(std::wstring_view argument, bool enclose) {
    std::wstring out;
    if (enclose) out += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            // The splitter halves a backslash run before a quote, so the run is doubled and the
            // quote itself escaped.
            if (c == L'"') out.append(backslashes + 1, L'\\');
            backslashes = 0;
        }
        out += c;
    }
    if (enclose) {
        out.append(backslashes, L'\\');
        out += L'"';
    }
    return out;
}

std::wstring command_line(const ChildCommand& command) {
    std::wstring line = L"\"" + command.program + L"\"";
    for (const ChildArgument& argument : command.arguments) {
        line += L' ';
        line += argument.kind == ChildArgument::Kind::Verbatim ? argument.text : quote_argument(argument.text);
    }
    return line;
}

std::expected<std::wstring, IoError> checked_command_line(const ChildCommand& command) {
    std::wstring line = command_line(command);
    if (line.size() <= max_command_line) return line;
    // The system would cut it short or refuse it with a code that names nothing.
    return std::unexpected(IoError::from_text("the command line of " + to_utf8(file_name(command.program)) + " would be " +
                                              std::to_string(line.size()) + " characters long, more than the " +
                                              std::to_string(max_command_line) + " a program can be given"));
}

std::optional<std::wstring> find_program(std::wstring_view name) {
    std::vector<std::wstring> directories;
    directories.push_back(own_directory());
    // A directory that cannot be had is left out, as an empty one is.
    directories.push_back(
        grow_buffer([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }).value_or(std::wstring()));
    directories.push_back(
        grow_buffer([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }).value_or(std::wstring()));
    for (std::wstring& directory : path_directories()) directories.push_back(std::move(directory));
    for (const std::wstring& directory : directories) {
        if (directory.empty()) continue;
        std::wstring candidate = join_path(directory, name);
        if (is_file(candidate)) return candidate;
    }
    return std::nullopt;
}

std::expected<Child, IoError> start_child(const ChildCommand& command) {
    auto line = checked_command_line(command);  // CreateProcessW may write into it
    if (!line) return std::unexpected(std::move(line.error()));
    // CreateProcessW would search the current directory first, so a bare name is resolved here.
    std::wstring application = command.program;
    if (!has_directory(command.program)) {
        auto found = find_program(command.program);
        if (!found) return std::unexpected(IoError::from_text("program not found"));
        application = std::move(*found);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    const std::array<UniqueHandle, 3> owned{inheritable_std_handle(STD_INPUT_HANDLE, startup.hStdInput),
                                            inheritable_std_handle(STD_OUTPUT_HANDLE, startup.hStdOutput),
                                            inheritable_std_handle(STD_ERROR_HANDLE, startup.hStdError)};

    handle_console_events();
    const HANDLE job = children_job();
    if (job) set_kill_on_close(job, true);  // a tool before may have left its own running
    child_starting();
    // Suspended until it is in the job, so that nothing it starts escapes it.
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), line->data(), nullptr, nullptr, TRUE, job ? CREATE_SUSPENDED : 0, nullptr,
                        nullptr, &startup, &info))
        return std::unexpected(IoError::last_error());
    const UniqueHandle thread(info.hThread);
    Child child{UniqueHandle(info.hProcess)};
    // An outer job that allows no job within it (before Windows 8) keeps the child out of ours:
    // it runs all the same, alone.
    const bool joined = job && AssignProcessToJobObject(job, info.hProcess);
    child_started(info.hProcess, joined ? job : nullptr);
    if (job && ResumeThread(info.hThread) == static_cast<DWORD>(-1)) {
        IoError error = IoError::last_error();
        TerminateProcess(info.hProcess, STATUS_CONTROL_C_EXIT);
        return std::unexpected(std::move(error));
    }
    return child;
}

Child::~Child() {
    if (process_) child_ended(process_.get());
}

std::expected<DWORD, IoError> Child::wait() {
    if (WaitForSingleObject(process_.get(), INFINITE) == WAIT_FAILED) return std::unexpected(IoError::last_error());
    child_ended(process_.get());
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) return std::unexpected(IoError::last_error());
    // Whatever a tool answers an interrupt with (cmd.exe ends with 0 now and then, a compiler
    // with 1), a build that the user stopped must read neither as one that succeeded nor as one
    // that failed.
    if (!interrupted_since_start() && attached_to_console()) Sleep(late_interrupt_ms);
    if (interrupted_since_start()) return STATUS_CONTROL_C_EXIT;
    // A tool that ended by itself may leave programs of its own to serve the next build (build
    // nodes kept for reuse, servers): they outlive this process, as they would without the job.
    // After an interrupt what is left of the tree still ends with this process.
    if (const HANDLE job = children_job()) set_kill_on_close(job, false);
    return code;
}

std::expected<DWORD, IoError> run_child(const ChildCommand& command) {
    auto child = start_child(command);
    if (!child) return std::unexpected(std::move(child.error()));
    return child->wait();
}

}  // namespace kestrune::win
