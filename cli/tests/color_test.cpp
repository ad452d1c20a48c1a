#include "args/styled.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace kestrune::args {
namespace {

// Sets the colour variables for one case and puts the old values back afterwards.
class ColorEnvironment {
public:
    ColorEnvironment() {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            _putenv_s(name, "");
        }
    }
    ~ColorEnvironment() {
        for (std::size_t i = 0; i < std::size(names); ++i) _putenv_s(names[i], saved_[i] ? saved_[i]->c_str() : "");
    }
    void set(const char* name, const char* value) { _putenv_s(name, value); }

    static constexpr const char* names[] = {"NO_COLOR", "CLICOLOR", "CLICOLOR_FORCE", "TERM", "CI"};

private:
    std::vector<std::optional<std::string>> saved_;
};

TEST(Color, EnvironmentDecidesWithTheTerminal) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> env;
        bool terminal;
        bool color;
    } cases[] = {
        {{}, true, true},
        {{}, false, false},
        {{{"NO_COLOR", "1"}}, true, false},
        {{{"NO_COLOR", "1"}, {"CLICOLOR_FORCE", "1"}}, true, false},
        {{{"CLICOLOR_FORCE", "1"}}, false, true},
        {{{"CLICOLOR_FORCE", "0"}}, false, false},
        {{{"CLICOLOR", "0"}}, true, false},
        {{{"TERM", "dumb"}}, true, false},
        {{{"TERM", "dumb"}, {"CI", "true"}}, true, true},
        {{{"TERM", "dumb"}, {"CLICOLOR", "1"}}, true, true},
        {{{"CI", "true"}}, false, false},
        {{{"TERM", "xterm-256color"}}, true, true},
    };
    for (const auto& c : cases) {
        ColorEnvironment environment;
        std::string what;
        for (const auto& [name, value] : c.env) {
            environment.set(name, value);
            what += std::string(name) + "=" + value + " ";
        }
        EXPECT_EQ(color_enabled(c.terminal), c.color) << what << (c.terminal ? "terminal" : "pipe");
    }
}

}  // namespace
}  // namespace kestrune::args
