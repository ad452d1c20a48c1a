#include "output/color.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::cli {
namespace {

using Variables = std::vector<std::pair<const char*, const char*>>;

// Sets the colour variables for one case and puts the old values back afterwards.
class ColorEnvironment {
public:
    explicit ColorEnvironment(const Variables& variables) {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            _putenv_s(name, "");
        }
        for (const auto& [name, value] : variables) {
            _putenv_s(name, value);
            what_ += std::string(name) + "=" + value + " ";
        }
    }
    ~ColorEnvironment() {
        for (std::size_t i = 0; i < std::size(names); ++i) _putenv_s(names[i], saved_[i] ? saved_[i]->c_str() : "");
    }
    // The variables set, for a failure message.
    const std::string& what() const { return what_; }

    static constexpr const char* names[] = {"NO_COLOR", "CLICOLOR", "CLICOLOR_FORCE", "TERM", "CI"};

private:
    std::vector<std::optional<std::string>> saved_;
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
