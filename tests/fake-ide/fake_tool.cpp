// Stand-in for the IDE's own tools (compilers, brcc32, bds.exe, MSBuild.exe), copied under
// each tool's name into a fake installation. It prints "<name> ran" and exits; what it records,
// which status it exits with and what more it does as bds.exe, as a compiler of packages or as a
// long build is told by the environment variables of fake_tool_env.hpp.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "fake_tool_env.hpp"
#include "msbuild_report.hpp"
#include "win/directory.hpp"
#include "win/environment.hpp"
#include "win/file.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"
#include "win/utf.hpp"

namespace {

namespace win = kestrune::win;
namespace variable = kestrune::fake_ide::variable;

// The variable's value; empty when it is not set.
std::wstring env(const std::wstring& name) { return win::environment_variable(name).value_or(std::wstring()); }

std::wstring file_name_of(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The path between -o" and the next quote, or empty.
std::wstring bds_log_target(const std::wstring& command_line) {
    const auto start = command_line.find(L"-o\"");
    if (start == std::wstring::npos) return {};
    const auto end = command_line.find(L'"', start + 3);
    return end == std::wstring::npos ? std::wstring() : command_line.substr(start + 3, end - start - 3);
}

// The package a successful compile of a .dpk leaves in its -LE folder.
void leave_package(const std::wstring& tool, int argc, wchar_t** argv) {
    if (_wcsnicmp(tool.c_str(), L"DCC", 3) != 0 || argc < 2) return;
    if (const std::wstring code = env(variable::exit); !code.empty() && wcstoul(code.c_str(), nullptr, 10) != 0)
        return;  // a failed compile leaves no package
    const std::wstring source = argv[1];
    if (_wcsicmp(std::wstring(win::file_extension(source)).c_str(), L"dpk") != 0) return;
    std::wstring folder;
    for (int i = 2; i < argc; ++i)
        if (_wcsnicmp(argv[i], L"-LE", 3) == 0) folder = argv[i] + 3;
    if (folder.empty()) return;
    const auto told = win::environment_variable(variable::bpl);
    const std::wstring name = told ? *told : std::wstring(win::file_stem(source)) + L".bpl";
    if (name.empty()) return;
    HANDLE file = CreateFileW(win::join_path(folder, name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        (void)win::write_all(file, "a package\n");
        CloseHandle(file);
    }
}

HANDLE interrupted = nullptr;

BOOL WINAPI on_interrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    SetEvent(interrupted);
    return TRUE;
}

// Announces the wait by creating the file, then waits for an interrupt; false after a minute
// without one. The file is gone again once the process has ended, however it ended.
bool wait_for_interrupt(const std::wstring& announce) {
    interrupted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(on_interrupt, TRUE);
    if (!env(variable::ignore_ctrl_c).empty()) SetConsoleCtrlHandler(nullptr, TRUE);
    // Left open for the system to close, and so delete, when the process ends.
    (void)CreateFileW(announce.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    const std::wstring wait_ms = env(variable::wait_ms);
    return WaitForSingleObject(interrupted, wait_ms.empty() ? 60000 : wcstoul(wait_ms.c_str(), nullptr, 10)) == WAIT_OBJECT_0;
}

// Starts the program (a copy of this one) so that it waits, announcing itself in the file,
// and starts nothing itself; does not wait for it. Detached, it has no console and standard
// handles that lead nowhere, as a server has, so that it holds none of its starter's pipes.
void start_waiting_child(const std::wstring& program, const std::wstring& announce, bool detached = false) {
    // The child learns what to do from the environment it inherits; this process's own wait,
    // if any, stays as it was.
    const auto own_wait = win::environment_variable(variable::wait);
    SetEnvironmentVariableW(variable::spawn, nullptr);
    SetEnvironmentVariableW(variable::leave_running, nullptr);
    SetEnvironmentVariableW(variable::wait, announce.c_str());
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (detached) startup.dwFlags = STARTF_USESTDHANDLES;  // the handles stay null
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, detached ? DETACHED_PROCESS : 0, nullptr,
                       nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    SetEnvironmentVariableW(variable::wait, own_wait ? own_wait->c_str() : nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring name = file_name_of(win::module_path().value_or(std::wstring()));
    const std::wstring command_line = GetCommandLineW();

    if (const std::wstring log = env(variable::log); !log.empty()) {
        HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            std::wstring record = L"tool: " + name + L"\ncommand line: " + command_line + L"\ncwd: " +
                                  win::current_directory().value_or(std::wstring()) + L"\n";
            std::wstring names = env(variable::env);
            for (std::size_t start = 0; !names.empty() && start <= names.size();) {
                const auto end = names.find(L';', start);
                const std::wstring var = names.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
                if (!var.empty()) record += L"env " + var + L"=" + env(var) + L"\n";
                if (end == std::wstring::npos) break;
                start = end + 1;
            }
            if (_wcsicmp(name.c_str(), L"MSBuild.exe") == 0) record += kestrune::fake_ide::msbuild_report(command_line);
            record += L"--\n";
            (void)win::write_all(file, win::to_utf8(record));
            CloseHandle(file);
        }
    }

    if (_wcsicmp(name.c_str(), L"bds.exe") == 0) {
        const std::wstring target = bds_log_target(command_line);
        const std::wstring source = env(variable::bds_log);
        if (!target.empty() && !env(variable::bds_drop_log).empty())
            DeleteFileW(target.c_str());
        else if (!target.empty() && !source.empty())
            CopyFileW(source.c_str(), target.c_str(), FALSE);
        if (argc > 1 && !env(variable::bds_local).empty()) {
            const std::wstring local = std::wstring(argv[1]) + L".local";
            HANDLE file = CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        }
    }

    leave_package(name, argc, argv);

    if (const std::wstring announce = env(variable::leave_running); !announce.empty())
        start_waiting_child(win::module_path().value_or(std::wstring()), announce, true);

    bool was_interrupted = false;
    if (const std::wstring announce = env(variable::wait); !announce.empty()) {
        if (const std::wstring program = env(variable::spawn); !program.empty())
            start_waiting_child(program, announce + L".child");
        was_interrupted = wait_for_interrupt(announce);
    }

    const std::string line = win::to_utf8(name) + (was_interrupted ? " interrupted\n" : " ran\n");
    (void)win::write_all(GetStdHandle(STD_OUTPUT_HANDLE), line);

    // The full 32-bit range, so that a code such as 0xC0000005 can be asked for.
    const std::wstring code = env(variable::exit);
    ExitProcess(code.empty() ? 0 : static_cast<UINT>(wcstoul(code.c_str(), nullptr, 10)));
}
