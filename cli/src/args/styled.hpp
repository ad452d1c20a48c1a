// Text with styled spans, rendered plain or with ANSI colours.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::args {

enum class Style {
    Plain,
    Header,       // section headers: bright green, bold
    Error,        // the error label: bright red, bold
    Usage,        // the usage heading: bright green, bold
    Literal,      // option and subcommand names: bright cyan, bold
    Placeholder,  // value names: cyan
    Valid,        // suggested values: bright cyan, bold
    Invalid,      // the offending value: bright yellow, bold
};

class StyledText {
public:
    StyledText& add(std::string_view text, Style style = Style::Plain);
    StyledText& append(const StyledText& other);
    std::string render(bool color) const;
    std::string plain() const { return render(false); }
    // True while no text has been added.
    bool empty() const { return spans_.empty(); }

private:
    struct Span {
        Style style;
        std::string text;
    };
    std::vector<Span> spans_;
};

}  // namespace kestrune::args
