// Running kestrune.exe as a child with pipes, the way a user's script would.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::e2e {

struct RunResult {
    DWORD status = 0;
    std::string out;  // standard output, bytes as written
    std::string err;  // standard error
};

struct RunOptions {
    std::wstring cwd{};                                      // empty: the test's own
    std::map<std::wstring, std::optional<std::wstring>> env{};  // set, or removed when nullopt
    bool close_stdout = false;  // the reader of standard output goes away at once
    std::optional<std::size_t> stdout_bytes{};  // it goes away once it has read this many bytes
    bool close_stderr = false;  // the same for standard error
};

// The directory of the test program, which is also where kestrune.exe and fake_tool.exe are built.
std::wstring build_dir();
std::wstring kestrune_exe();

// Runs kestrune.exe with the arguments (UTF-8, converted) and waits for it.
RunResult run(const std::vector<std::string>& args, const RunOptions& options = {});
RunResult run_wide(const std::vector<std::wstring>& args, const RunOptions& options = {});
// Starts one kestrune.exe per argument list, all at once, and waits for every one of them.
std::vector<RunResult> run_together(const std::vector<std::vector<std::string>>& commands, const RunOptions& options = {});

}  // namespace kestrune::e2e
