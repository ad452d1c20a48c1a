#include "output/color.hpp"

#include <cstdlib>
#include <string_view>

namespace kestrune::cli {
namespace {

// A variable set to the empty text counts as not set.
const char* env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

bool color_enabled(bool console, const std::function<bool()>& virtual_terminal) {
    if (env("NO_COLOR")) return false;
    const char* force = env("CLICOLOR_FORCE");
    const bool forced = force && std::string_view(force) != "0";
    if (!console) return forced;
    const char* clicolor = env("CLICOLOR");
    const char* term = env("TERM");
    const bool dumb = term && std::string_view(term) == "dumb";
    if (!forced) {
        if (clicolor && std::string_view(clicolor) == "0") return false;
        // A Windows console takes colour without TERM.
        if (dumb && !clicolor && !env("CI")) return false;
    }
    return virtual_terminal() || (term && !dumb);
}

}  // namespace kestrune::cli
