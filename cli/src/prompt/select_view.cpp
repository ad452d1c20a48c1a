#include "prompt/select_view.hpp"

#include <algorithm>

#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

constexpr std::string_view mark_style = "\x1b[1m\x1b[92m";  // bright green, bold
constexpr std::string_view message_style = "\x1b[1m";
constexpr std::string_view selected_style = "\x1b[96m";  // bright cyan
constexpr std::string_view help_style = "\x1b[36m";      // cyan
constexpr std::string_view reset = "\x1b[0m";

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Builds one line out of styled pieces, cut to the columns it may take. Every code point
// is taken as one column: the options are product names. `columns` counts what shows.
class Line {
public:
    Line(bool color, std::size_t width) : color_(color), room_(width == 0 ? std::string::npos : width) {}

    Line& add(std::string_view text, std::string_view style = {}) {
        if (text.empty() || room_ == 0) return *this;
        const bool styled = color_ && !style.empty();
        if (styled && room_ != std::string::npos) {
            // Wine's console counts the bytes of escape sequences as cells when it wraps a
            // line; charging them here keeps every line on one row there as well.
            const std::size_t cost = style.size() + reset.size();
            if (room_ <= cost) {
                room_ = 0;
                return *this;
            }
            room_ -= cost;
        }
        std::size_t end = 0;
        while (end < text.size() && room_ > 0) {
            ++end;
            while (end < text.size() && is_continuation(text[end])) ++end;
            if (room_ != std::string::npos) --room_;
            ++columns_;
        }
        if (styled) out_ += style;
        out_ += text.substr(0, end);
        if (styled) out_ += reset;
        return *this;
    }

    std::size_t columns() const { return columns_; }
    std::string take() { return std::move(out_); }

private:
    bool color_;
    std::size_t room_;
    std::size_t columns_ = 0;
    std::string out_;
};

Line message_line(const PromptLook& look) {
    Line line(look.color, look.width);
    line.add("?", mark_style).add(" ").add(look.message, message_style);
    return line;
}

}  // namespace

Frame draw_prompt(const SelectState& state, const PromptLook& look) {
    Frame frame;
    Line head = message_line(look);
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
        frame.lines.push_back(Line(look.color, look.width).add(text, here ? selected_style : "").take());
    }
    if (matches.empty()) frame.lines.push_back(Line(look.color, look.width).add("  No matching option").take());

    frame.lines.push_back(Line(look.color, look.width).add("[" + std::string(look.help) + "]", help_style).take());
    return frame;
}

std::string answered_line(const SelectState& state, const PromptLook& look) {
    std::string chosen;
    for (const std::size_t option : state.answer()) {
        if (!chosen.empty()) chosen += ", ";
        chosen += state.options()[option];
    }
    Line line = message_line(look);
    if (!chosen.empty()) line.add(" ").add(chosen, selected_style);
    return line.take();
}

}  // namespace kestrune::cli
