#include "args/styled.hpp"

#include <cstdlib>

namespace kestrune::args {
namespace {

std::string_view ansi(Style style) {
    switch (style) {
        case Style::Header:
        case Style::Usage: return "\x1b[1m\x1b[92m";
        case Style::Error: return "\x1b[1m\x1b[91m";
        case Style::Literal:
        case Style::Valid: return "\x1b[1m\x1b[96m";
        case Style::Placeholder: return "\x1b[36m";
        case Style::Invalid: return "\x1b[1m\x1b[93m";
        case Style::Plain: break;
    }
    return {};
}

const char* env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

StyledText& StyledText::add(std::string_view text, Style style) {
    if (text.empty()) return *this;
    if (!spans_.empty() && spans_.back().style == style)
        spans_.back().text += text;
    else
        spans_.push_back({style, std::string(text)});
    return *this;
}

StyledText& StyledText::append(const StyledText& other) {
    for (const auto& span : other.spans_) add(span.text, span.style);
    return *this;
}

std::string StyledText::render(bool color) const {
    std::string out;
    for (const auto& span : spans_) {
        const auto code = color ? ansi(span.style) : std::string_view{};
        out += code;
        out += span.text;
        if (!code.empty()) out += "\x1b[0m";
    }
    return out;
}

bool color_enabled(bool stream_is_terminal) {
    if (env("NO_COLOR")) return false;
    if (const char* force = env("CLICOLOR_FORCE"); force && std::string_view(force) != "0") return true;
    const char* clicolor = env("CLICOLOR");
    if (clicolor && std::string_view(clicolor) == "0") return false;
    if (!stream_is_terminal) return false;
    // A Windows console takes colour without TERM; a "dumb" terminal only when CLICOLOR or CI ask.
    const char* term = env("TERM");
    const bool term_takes_color = !term || std::string_view(term) != "dumb";
    return term_takes_color || clicolor || env("CI");
}

}  // namespace kestrune::args
