// The console a prompt runs on: key presses from the console input, pictures drawn on
// standard error. The console's modes and Ctrl+C's usual meaning come back when it ends.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "prompt/select_state.hpp"
#include "prompt/select_view.hpp"
#include "win/console.hpp"
#include "win/console_events.hpp"
#include "win/handle.hpp"

namespace kestrune::cli {

class PromptConsole {
public:
    PromptConsole();
    PromptConsole(const PromptConsole&) = delete;
    PromptConsole& operator=(const PromptConsole&) = delete;

    // False when standard error is no console or no console input can be read.
    bool ready() const { return ready_; }
    bool color() const { return color_; }
    // Whether escape sequences take cells here, as text the console keeps (Wine's does):
    // measured once, by writing one and seeing the cursor move.
    bool escapes_take_cells() const { return escapes_take_cells_; }
    // Columns a drawn line may take without wrapping; 0 when unknown.
    std::size_t width() const;

    // The next key press the prompts understand; nullopt when reading fails.
    std::optional<Key> read_key();
    // Replaces the last picture by this one and leaves the cursor after its typed filter.
    bool draw(const Frame& frame);
    // Replaces the last picture by one line that stays on the console.
    bool leave(std::string_view line);
    // Removes the last picture.
    bool erase();

private:
    bool write(std::string_view text);
    bool clear_picture();
    bool measure_escape_cells();

    bool ready_ = false;
    bool color_ = false;
    bool escapes_take_cells_ = false;
    HANDLE err_ = nullptr;
    HANDLE in_ = nullptr;
    win::UniqueHandle opened_in_;  // CONIN$, when standard input is no console
    std::optional<win::ConsoleMode> raw_input_;
    std::optional<win::ConsoleMode> terminal_;  // virtual-terminal output on standard error
    // After the modes, so that interrupts stop turning into keys before they are put back
    // (standard error's first, then the input's).
    std::optional<win::InterruptsAsKeys> interrupts_as_keys_;
    std::optional<SHORT> top_;  // the first row of the picture on the screen buffer
    std::optional<Key> repeat_;
    WORD repeats_left_ = 0;
};

}  // namespace kestrune::cli
