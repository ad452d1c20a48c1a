#include "args/styled.hpp"

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

}  // namespace kestrune::args
