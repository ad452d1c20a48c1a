#include "prompt/select_prompt.hpp"

#include "prompt/console.hpp"
#include "prompt/select_state.hpp"
#include "prompt/select_view.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view one_help = "↑↓ to move, enter to select, type to filter";
constexpr std::string_view many_help = "↑↓ to move, space to select one, → to all, ← to none, type to filter";

// Runs the prompt to its end; false when it could not run, failed or was cancelled.
bool run_prompt(SelectState& state, std::string_view message, std::string_view help) {
    PromptConsole console;
    if (!console.ready()) return false;
    PromptLook look{message, help, console.color(), 0, console.escapes_take_cells()};
    while (state.outcome() == Outcome::Pending) {
        look.width = console.width();
        if (!console.draw(draw_prompt(state, look))) {
            console.erase();
            return false;
        }
        const auto key = console.read_key();
        if (!key) {
            console.erase();
            return false;
        }
        state.press(*key);
    }
    if (state.outcome() == Outcome::Cancelled) {
        console.erase();
        return false;
    }
    return console.leave(answered_line(state, look));
}

}  // namespace

std::optional<std::size_t> select_one(std::string_view message, const std::vector<std::string>& options) {
    SelectState state(options, false);
    if (!run_prompt(state, message, one_help)) return std::nullopt;
    return state.answer().front();
}

std::vector<std::size_t> select_many(std::string_view message, const std::vector<std::string>& options) {
    SelectState state(options, true);
    if (!run_prompt(state, message, many_help)) return {};
    return state.answer();
}

}  // namespace kestrune::cli
