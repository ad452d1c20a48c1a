#include "output/color.hpp"

#include <gtest/gtest.h>

#include <list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "scoped_variable.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

using Variables = std::vector<std::pair<const char*, const char*>>;

// Sets the colour variables for one case, every other one of them unset, and puts the old
// values back afterwards.
class ColorEnvironment {
public:
    explicit ColorEnvironment(const Variables& variables) {
        for (const char* name : {"NO_COLOR", "CLICOLOR", "CLICOLOR_FORCE", "TERM", "CI"}) {
            std::optional<std::wstring> value;
            for (const auto& [set, text] : variables)
                if (std::string_view(set) == name) value = win::to_wide(text);
            scoped_.emplace_back(win::to_wide(name), value);
        }
        for (const auto& [name, value] : variables) what_ += std::string(name) + "=" + value + " ";
    }
    // The variables set, for a failure message.
    const std::string& what() const { return what_; }

private:
    std::list<scratch::ScopedVariable> scoped_;  // a list: they neither move nor copy
    std::string what_;
};

// A console's virtual-terminal processing works in these cases unless `refused`.
TEST(Color, EnvironmentDecidesWithTheTerminal) {
    struct Case {
        Variables env;
        bool terminal;
        bool color;
        bool refused = false;
    } cases[] = {
        {{}, true, true},
        {{}, false, false},
        {{{"NO_COLOR", "1"}}, true, false},
        {{{"NO_COLOR", "1"}, {"CLICOLOR_FORCE", "1"}}, true, false},
        {{{"CLICOLOR_FORCE", "1"}}, false, true},
        {{{"CLICOLOR_FORCE", "0"}}, false, false},
        {{{"CLICOLOR", "0"}}, true, false},
        {{{"CLICOLOR", "0"}, {"CLICOLOR_FORCE", "1"}}, true, true},
        {{{"TERM", "dumb"}}, true, false},
        {{{"TERM", "dumb"}, {"CI", "true"}}, true, true},
        {{{"TERM", "dumb"}, {"CLICOLOR", "1"}}, true, true},
        {{{"TERM", "dumb"}, {"CLICOLOR_FORCE", "1"}}, true, true},
        {{{"CI", "true"}}, false, false},
        {{{"TERM", "xterm-256color"}}, true, true},
        // A console that refuses virtual-terminal processing shows escape sequences as text,
        // unless TERM names a terminal that reads them itself.
        {{}, true, false, true},
        {{{"CLICOLOR_FORCE", "1"}}, true, false, true},
        {{{"TERM", "xterm-256color"}}, true, true, true},
        {{{"TERM", "dumb"}, {"CI", "true"}}, true, false, true},
        {{{"TERM", "xterm-256color"}, {"CLICOLOR", "0"}}, true, false, true},
    };
    for (const auto& c : cases) {
        const ColorEnvironment environment(c.env);
        EXPECT_EQ(color_enabled(c.terminal, [&] { return !c.refused; }), c.color)
            << environment.what() << (c.terminal ? (c.refused ? "console refusing escapes" : "console") : "pipe");
    }
}

// Turning virtual-terminal processing on changes the user's console: not done for nothing.
TEST(Color, AsksTheConsoleOnlyWhenColourHangsOnIt) {
    struct Case {
        Variables env;
        bool terminal;
        bool asks;
    } cases[] = {
        {{}, true, true},
        {{{"CLICOLOR_FORCE", "1"}}, true, true},
        {{}, false, false},
        {{{"CLICOLOR_FORCE", "1"}}, false, false},
        {{{"NO_COLOR", "1"}}, true, false},
        {{{"CLICOLOR", "0"}}, true, false},
        {{{"TERM", "dumb"}}, true, false},
    };
    for (const auto& c : cases) {
        const ColorEnvironment environment(c.env);
        bool asked = false;
        color_enabled(c.terminal, [&] { return asked = true; });
        EXPECT_EQ(asked, c.asks) << environment.what() << (c.terminal ? "console" : "pipe");
    }
}

}  // namespace
}  // namespace kestrune::cli
