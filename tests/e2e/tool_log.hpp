// What the stand-in tools recorded of their runs, and a fake installation to run them in.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_tool_env.hpp"
#include "fixture.hpp"
#include "harness.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {

struct ToolRun {
    std::string tool;          // file name, e.g. DCC64.exe
    std::string command_line;  // as the tool received it
    std::string cwd;
    std::map<std::string, std::string> env;  // the variables named by fake_ide::variable::env
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

// What the stand-ins are told in one run of a Toolchain (fake_tool_env.hpp).
struct StandIns {
    std::optional<DWORD> exit{};           // the status they exit with; 0 when not given
    std::wstring log = L"tools.log";       // where they record their runs, relative to work; empty: nowhere
    std::optional<std::string> bds_log{};  // what bds.exe gives as its build log, from work\bds-log.txt
    std::map<std::wstring, std::optional<std::wstring>> env{};  // more of their variables, or nullopt to unset one
};

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

    // Runs kestrune.exe in `work`; the stand-ins record BDSBIN too.
    RunResult run(const std::vector<std::string>& args, const StandIns& stand_ins = {}, RunOptions options = {}) const {
        namespace variable = fake_ide::variable;
        if (options.cwd.empty()) options.cwd = work.path();
        options.env[variable::log] = stand_ins.log.empty() ? std::nullopt : std::optional(work / stand_ins.log);
        options.env[variable::env] = L"BDSBIN";
        options.env[variable::exit] = stand_ins.exit ? std::optional(std::to_wstring(*stand_ins.exit)) : std::nullopt;
        if (stand_ins.bds_log) {
            work.write(L"bds-log.txt", *stand_ins.bds_log);
            options.env[variable::bds_log] = work / L"bds-log.txt";
        }
        for (const auto& [name, value] : stand_ins.env) options.env[name] = value;
        return e2e::run(args, options);
    }

    std::vector<ToolRun> runs() const { return parse_tool_log(work.read(L"tools.log")); }

    Registry registry;
    scratch::Directory root;
    scratch::Directory work;
};

}  // namespace kestrune::e2e
