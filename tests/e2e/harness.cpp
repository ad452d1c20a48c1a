#include "harness.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "win/environment.hpp"
#include "win/handle.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"
#include "win/process.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {
namespace {

// Reads until the writers are gone, or until `limit` bytes have come.
std::string drain(HANDLE pipe, std::optional<std::size_t> limit = std::nullopt) {
    std::string data;
    char buffer[4096];
    DWORD got = 0;
    while ((!limit || data.size() < *limit) && ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        data.append(buffer, got);
    return data;
}

// The environment block of this process with the overrides applied.
std::wstring environment_block(const std::map<std::wstring, std::optional<std::wstring>>& overrides) {
    std::map<std::wstring, std::wstring, bool (*)(const std::wstring&, const std::wstring&)> vars(
        [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
        const std::wstring entry = p;
        const auto eq = entry.find(L'=', 1);
        if (eq != std::wstring::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    FreeEnvironmentStringsW(block);
    for (const auto& [name, value] : overrides) {
        if (value)
            vars[name] = *value;
        else
            vars.erase(name);
    }
    std::wstring out;
    for (const auto& [name, value] : vars) out += name + L"=" + value + L'\0';
    out += L'\0';
    return out;
}

}  // namespace

std::wstring build_dir() { return win::parent_directory(win::module_path().value()).value(); }

std::wstring kestrune_exe() { return build_dir() + L"\\kestrune.exe"; }

RunResult run(const std::vector<std::string>& args, const RunOptions& options) {
    std::vector<std::wstring> wide;
    for (const auto& a : args) wide.push_back(win::to_wide(a));
    return run_wide(wide, options);
}

RunResult run_wide(const std::vector<std::wstring>& args, const RunOptions& options) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out_read = nullptr, out_write = nullptr, err_read = nullptr, err_write = nullptr;
    CreatePipe(&out_read, &out_write, &inherit, 0);
    CreatePipe(&err_read, &err_write, &inherit, 0);
    win::UniqueHandle out_r(out_read), out_w(out_write), err_r(err_read), err_w(err_write);
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
    // Closed before the child starts, so its very first write already finds no reader.
    if (options.close_stdout) out_r.reset();
    if (options.close_stderr) err_r.reset();
    win::UniqueHandle null_in(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                          OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = null_in.get();
    startup.hStdOutput = out_write;
    startup.hStdError = err_write;

    const std::wstring exe = kestrune_exe();
    // Written as the program writes its own tools' command lines.
    win::ChildCommand command{.program = exe, .arguments = {}};
    for (const auto& a : args) command.arg(a);
    std::wstring command_line = win::command_line(command);
    std::wstring env = environment_block(options.env);

    PROCESS_INFORMATION info{};
    RunResult result;
    if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                        env.data(), options.cwd.empty() ? nullptr : options.cwd.c_str(), &startup, &info)) {
        result.status = 0xDEAD;
        result.err = "could not start kestrune.exe";
        return result;
    }
    win::UniqueHandle process(info.hProcess), thread(info.hThread);
    out_w.reset();
    err_w.reset();

    std::thread err_reader([&] {
        if (err_r) result.err = drain(err_read);
    });
    if (out_r) result.out = drain(out_read, options.stdout_bytes);
    out_r.reset();
    err_reader.join();
    WaitForSingleObject(info.hProcess, INFINITE);
    GetExitCodeProcess(info.hProcess, &result.status);
    return result;
}

std::vector<RunResult> run_together(const std::vector<std::vector<std::string>>& commands, const RunOptions& options) {
    std::vector<RunResult> results(commands.size());
    std::vector<std::thread> runners;
    runners.reserve(commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i)
        runners.emplace_back([&, i] { results[i] = run(commands[i], options); });
    for (std::thread& runner : runners) runner.join();
    return results;
}

}  // namespace kestrune::e2e

namespace {

// These tests write to HKEY_CURRENT_USER: outside a throwaway Wine prefix they run only
// when explicitly allowed.
class OnlyInThrowawayPrefix : public testing::Environment {
public:
    void SetUp() override {
        const bool under_wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
        if (!under_wine && !kestrune::win::environment_variable(L"KESTRUNE_E2E_ALLOW"))
            GTEST_SKIP() << "end-to-end tests write HKEY_CURRENT_USER; set KESTRUNE_E2E_ALLOW=1 to run them here";
    }
};

[[maybe_unused]] testing::Environment* const only_in_throwaway_prefix =
    testing::AddGlobalTestEnvironment(new OnlyInThrowawayPrefix);

}  // namespace
