// How a selection prompt looks: its lines drawn from its state, with or without colour.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "prompt/select_state.hpp"

namespace kestrune::cli {

struct PromptLook {
    std::string_view message;
    std::string_view help;
    bool color = false;
    std::size_t width = 0;  // columns a line may take; 0: no limit
    // The console gives every byte of an escape sequence a cell, as text, and wraps by them.
    bool escapes_take_cells = false;
};

// One picture of a pending prompt: its lines, and the column after the typed filter on the
// first line, where the cursor is left.
struct Frame {
    std::vector<std::string> lines;
    std::size_t cursor_column = 0;
};

// The message and filter, the page of matching options, and the help line.
Frame draw_prompt(const SelectState& state, const PromptLook& look);
// The line an answered prompt leaves behind: the message and every chosen option, joined by
// ", ", never cut (the console wraps it where it must).
std::string answered_line(const SelectState& state, const PromptLook& look);

}  // namespace kestrune::cli
