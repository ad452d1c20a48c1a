#include "main/main.hpp"

#include <optional>

#include "args/parser.hpp"
#include "exit_status.hpp"
#include "main/command_tree.hpp"
#include "output/color.hpp"
#include "output/sink.hpp"
#include "output/standard_streams.hpp"
#include "win/console.hpp"
#include "win/process.hpp"

namespace kestrune::cli {
namespace {

int report(const args::Error& error) {
    const Stream stream = error.to_stderr() ? Stream::Err : Stream::Out;
    // A console acts on the colours only in virtual-terminal mode, turned on just for them.
    std::optional<win::ConsoleMode> terminal;
    const bool color = color_enabled(is_console(stream), [&] {
        return terminal.emplace(std_handle(stream), win::virtual_terminal_output, 0).taken();
    });
    write(stream, error.render(color));
    flush();
    return error.exit_code();
}

int report(const ReadError& error, const std::vector<std::wstring>& arguments) {
    // Formatted against a fresh tree, so with its usage line and styles.
    const args::Command tree = define_command_line();
    return report(args::make_error(tree, args::bin_name(arguments.empty() ? std::wstring() : arguments.front()),
                                   error.kind, error.message));
}

}  // namespace

int run_main(const std::vector<std::wstring>& arguments) {
    const args::Command tree = define_command_line();
    auto parsed = args::parse(tree, arguments);
    if (!parsed) return report(parsed.error());
    const args::Matches& matches = *parsed;

    auto app = read_app(matches);
    if (!app) return report(app.error(), arguments);

    // A command may own temporary files from here on, which an interrupt must not leave behind.
    win::handle_console_events();
    Output& out = standard_streams();
    const HandlerResult result = run_command(*app, out);
    out.flush();
    if (!result) {
        out.eprint(result.error().report());
        return code(ExitStatus::CommandFailed);
    }
    // A tool that failed has reported on the console; its exit code, all 32 bits of it, is ours.
    return static_cast<int>(*result);
}

}  // namespace kestrune::cli
