#include "prompt/select_view.hpp"

#include <algorithm>

#include "text/width.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view mark_style = "\x1b[1m\x1b[92m";  // bright green, bold
constexpr std::string_view message_style = "\x1b[1m";
constexpr std::string_view selected_style = "\x1b[96m";  // bright cyan
constexpr std::string_view help_style = "\x1b[36m";      // cyan
constexpr std::string_view reset = "\x1b[0m";

// Builds one line out of styled pieces, cut to the columns it may take. Escape sequences
// show as no column; `columns` counts what shows.
class Line {
public:
    Line(const PromptLook& look, std::size_t width)
        : color_(look.color), escape_cells_(look.escapes_take_cells), room_(width == 0 ? unlimited : width) {}

    Line& add(std::string_view text, std::string_view style = {}) {
        if (text.empty() || room_ == 0) return *this;
        const bool styled = color_ && !style.empty();
        if (styled && escape_cells_ && room_ != unlimited) {
            // A console that keeps escape sequences as text wraps by their bytes too: charged
            // here, the line still takes one row there.
            const std::size_t cost = style.size() + reset.size();
            if (room_ <= cost) {
                room_ = 0;
                return *this;
            }
            room_ -= cost;
        }
        const std::size_t end = room_ == unlimited ? text.size() : text::fitting_prefix(text, room_);
        const std::size_t columns = text::display_width(text.substr(0, end));
        // Nothing after a cut piece: a later, narrower one might fit and show out of order.
        if (room_ != unlimited) room_ = end < text.size() ? 0 : room_ - columns;
        if (end == 0) return *this;
        columns_ += columns;
        if (styled) out_ += style;
        out_ += text.substr(0, end);
        if (styled) out_ += reset;
        return *this;
    }

    std::size_t columns() const { return columns_; }
    std::string take() { return std::move(out_); }

private:
    static constexpr std::size_t unlimited = std::string::npos;
    bool color_;
    bool escape_cells_;
    std::size_t room_;
    std::size_t columns_ = 0;
    std::string out_;
};

Line message_line(const PromptLook& look, std::size_t width) {
    Line line(look, width);
    line.add("?", mark_style).add(" ").add(look.message, message_style);
    return line;
}

}  // namespace

Frame draw_prompt(const SelectState& state, const PromptLook& look) {
    Frame frame;
    Line head = message_line(look, look.width);
    head.add(" ").add(win::to_utf8(state.filter()));
    frame.cursor_column = head.columns();
    frame.lines.push_back(head.take());

    const auto& matches = state.matches();
    const std::size_t end = std::min(matches.size(), state.page_start() + page_size);
    for (std::size_t at = state.page_start(); at < end; ++at) {
        const std::size_t option = matches[at];
        const bool here = at == state.cursor();
        std::string text = here ? "> " : "  ";
        if (state.multi()) text += state.ticked(option) ? "[x] " : "[ ] ";
        text += state.options()[option];
        frame.lines.push_back(Line(look, look.width).add(text, here ? selected_style : "").take());
    }
    if (matches.empty()) frame.lines.push_back(Line(look, look.width).add("  No matching option").take());

    frame.lines.push_back(Line(look, look.width).add("[" + std::string(look.help) + "]", help_style).take());
    return frame;
}

std::string answered_line(const SelectState& state, const PromptLook& look) {
    std::string chosen;
    for (const std::size_t option : state.answer()) {
        if (!chosen.empty()) chosen += ", ";
        chosen += state.options()[option];
    }
    // Never cut: the console wraps what does not fit on one row.
    Line line = message_line(look, 0);
    if (!chosen.empty()) line.add(" ").add(chosen, selected_style);
    return line.take();
}

}  // namespace kestrune::cli
