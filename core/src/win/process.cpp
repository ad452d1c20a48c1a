#include "win/process.hpp"

#include <array>

#include "win/console.hpp"
#include "win/program_search.hpp"

namespace kestrune::win {
namespace {

bool has_directory(std::wstring_view name) { return name.find_first_of(L"\\/:") != std::wstring_view::npos; }

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

// The console hands an interrupt to each of its processes on its own, so a child that ends at
// once on it may be gone before this process has seen it (under Wine, up to a few milliseconds
// before). A child's status is believed only once this much longer has passed without one; a
// process without a console gets no interrupt and need not wait.
constexpr DWORD late_interrupt_ms = 20;

}  // namespace

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
