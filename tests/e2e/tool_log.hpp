// What the stand-in tools recorded of their runs, read back from KESTRUNE_FAKE_LOG.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fixture.hpp"
#include "harness.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {

struct ToolRun {
    std::string tool;          // file name, e.g. DCC64.exe
    std::string command_line;  // as the tool received it
    std::string cwd;
    std::map<std::string, std::string> env;  // the variables named in KESTRUNE_FAKE_ENV
    // MSBuild.exe's reading of its command line, one line each, after "msbuild ": "argument
    // ...", "property NAME=VALUE", "error ..." (tests/fake-ide/msbuild_report.hpp).
    std::vector<std::string> msbuild;
};

// The records of a log, in the order the tools ran.
inline std::vector<ToolRun> parse_tool_log(const std::string& log) {
    std::vector<ToolRun> runs;
    ToolRun current;
    std::size_t start = 0;
    while (start < log.size()) {
        auto end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        start = end + 1;
        if (line == "--") {
            runs.push_back(std::move(current));
            current = {};
        } else if (line.starts_with("tool: ")) {
            current.tool = line.substr(6);
        } else if (line.starts_with("command line: ")) {
            current.command_line = line.substr(14);
        } else if (line.starts_with("cwd: ")) {
            current.cwd = line.substr(5);
        } else if (line.starts_with("msbuild ")) {
            current.msbuild.push_back(line.substr(8));
        } else if (line.starts_with("env ")) {
            const auto eq = line.find('=');
            current.env[line.substr(4, eq - 4)] = eq == std::string::npos ? "" : line.substr(eq + 1);
        }
    }
    return runs;
}

// A registered fake installation, and a working directory whose tools.log the stand-ins
// append to. Commands run with that directory as their current one. One at a time: it owns
// the registry state.
class Toolchain {
public:
    explicit Toolchain(const FakeTree& tree = {}) {
        lay_out(root, tree);
        InstallationSpec installation;
        installation.root_dir = root.path();
        installation.app = root / L"bin\\bds.exe";
        add_installation(registry, installation);
    }

    // Runs kestrune.exe; the stand-ins record BDSBIN and exit with `tool_exit`.
    RunResult run(const std::vector<std::string>& args, std::optional<DWORD> tool_exit = std::nullopt) const {
        RunOptions options{.cwd = work.path(), .env = {}};
        options.env[L"KESTRUNE_FAKE_LOG"] = work / L"tools.log";
        options.env[L"KESTRUNE_FAKE_ENV"] = L"BDSBIN";
        options.env[L"KESTRUNE_FAKE_EXIT"] =
            tool_exit ? std::optional<std::wstring>(std::to_wstring(*tool_exit)) : std::nullopt;
        return e2e::run(args, options);
    }

    std::vector<ToolRun> runs() const { return parse_tool_log(work.read(L"tools.log")); }

    // The installation root and the working directory as the recorded texts show them.
    std::string root_text() const { return win::to_utf8(root.path()); }
    std::string work_text() const { return win::to_utf8(work.path()); }

    Registry registry;
    scratch::Directory root;
    scratch::Directory work;
};

}  // namespace kestrune::e2e
