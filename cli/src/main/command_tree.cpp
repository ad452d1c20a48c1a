#include "main/command_tree.hpp"

#include <array>
#include <type_traits>
#include <variant>

#include "main/brcc_command.hpp"
#include "main/build_command.hpp"
#include "main/dcc_command.hpp"
#include "main/env_command.hpp"
#include "main/info_command.hpp"
#include "main/installations.hpp"
#include "main/package_command.hpp"
#include "main/path_commands.hpp"
#include "main/select_command.hpp"
#include "main/self_command.hpp"

namespace kestrune::cli {
namespace {

// Calls the handler with the payload's value, when it has one, then App when the handler
// takes it, then the output.
template <auto Run, class... Value>
auto call(App& app, Output& out, const Value&... value) {
    if constexpr (std::is_invocable_v<decltype(Run), const Value&..., App&, Output&>)
        return Run(value..., app, out);
    else
        return Run(value..., out);
}

// Runs the handler of the alternative Payload, which App's command holds.
template <class Payload, auto Run>
HandlerResult run_row(App& app, Output& out) {
    auto outcome = [&] {
        if constexpr (std::is_empty_v<Payload>) {
            return call<Run>(app, out);
        } else {
            const auto& [value] = std::get<Payload>(*app.command);
            return call<Run>(app, out, value);
        }
    }();
    if constexpr (std::is_same_v<decltype(outcome), HandlerResult>)
        return outcome;
    else
        return without_tool(std::move(outcome));
}

// One handler per Commands alternative, in its order, as the syntax's rows are.
struct Handler {
    HandlerResult (*run)(App& app, Output& out);
    std::size_t alternative;
};

template <class Payload, auto Run>
constexpr Handler handler() {
    return {run_row<Payload, Run>, alternative_of<Payload>};
}

using catalogue::Tool;

constexpr auto handler_table = std::to_array<Handler>({
    handler<commands::Build, run_msbuild_build>(),
    handler<commands::Bds, run_bds_build>(),
    handler<commands::Dcc, run_dcc_command>(),
    handler<commands::Dcc32, run_fixed_compiler<Tool::DCC32>>(),
    handler<commands::Dcc64, run_fixed_compiler<Tool::DCC64>>(),
    handler<commands::Dccarm64ec, run_fixed_compiler<Tool::DCCARM64EC>>(),
    handler<commands::Package, run_package_command>(),
    handler<commands::Brcc, run_brcc_command>(),
    handler<commands::Env, run_env_command>(),
    handler<commands::EnvPath, run_env_path_command>(),
    handler<commands::LibraryPath, run_library_path_command>(),
    handler<commands::BrowsingPath, run_browsing_path_command>(),
    handler<commands::Select, run_select_command>(),
    handler<commands::Info, run_info_command>(),
    handler<commands::Self_, run_self>(),
});

constexpr bool handlers_follow_commands() {
    for (std::size_t i = 0; i < handler_table.size(); ++i)
        if (handler_table[i].alternative != i) return false;
    return handler_table.size() == std::variant_size_v<Commands>;
}
static_assert(handlers_follow_commands(), "one handler per Commands alternative, in its order");

}  // namespace

HandlerResult without_tool(std::expected<void, CommandError> done) {
    if (!done) return std::unexpected(std::move(done.error()));
    return 0;
}

HandlerResult run_command(App& app, Output& out) {
    if (app.command) return handler_table[app.command->index()].run(app, out);
    return without_tool(run_without_subcommand(app, out));
}

args::Command define_command_line() { return command_line(parse_installation_name); }

}  // namespace kestrune::cli
