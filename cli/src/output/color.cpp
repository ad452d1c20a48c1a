#include "output/color.hpp"

#include <optional>
#include <string>

#include "win/environment.hpp"

namespace kestrune::cli {
namespace {

// A variable set to the empty text counts as not set.
std::optional<std::wstring> env(const std::wstring& name) {
    auto value = win::environment_variable(name);
    if (value && value->empty()) return std::nullopt;
    return value;
}

}  // namespace

bool color_enabled(bool console, const std::function<bool()>& virtual_terminal) {
    if (env(L"NO_COLOR")) return false;
    const auto force = env(L"CLICOLOR_FORCE");
    const bool forced = force && *force != L"0";
    if (!console) return forced;
    const auto clicolor = env(L"CLICOLOR");
    const auto term = env(L"TERM");
    const bool dumb = term && *term == L"dumb";
    if (!forced) {
        if (clicolor && *clicolor == L"0") return false;
        // A Windows console takes colour without TERM.
        if (dumb && !clicolor && !env(L"CI")) return false;
    }
    return virtual_terminal() || (term && !dumb);
}

}  // namespace kestrune::cli
