#include "catalogue/find_installation.hpp"

#include <array>
#include <string>

#include "catalogue/product.hpp"
#include "text/text.hpp"

namespace kestrune::catalogue {
namespace {

std::string remove_all(std::string_view text, std::string_view part) {
    if (part.empty()) return std::string(text);
    std::string out;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find(part, from);
        if (at == std::string_view::npos) break;
        out.append(text.substr(from, at - from));
        from = at + part.size();
    }
    out.append(text.substr(from));
    return out;
}

bool matches(const Installation& installation, std::string_view text) {
    const std::string n = name(installation);
    // The name without its family lets "12.1" find RAD Studio 12.1.
    const std::string bare(text::trim(remove_all(n, product_family(installation))));
    const std::array<std::string, 6> candidates{product_name(installation), n, code_name(installation),
                                                full_name(installation), product_version(installation), bare};
    for (const std::string& candidate : candidates)
        if (text::equal_ignore_ascii_case(candidate, text)) return true;
    return false;
}

}  // namespace

const Installation* find_installation(const std::vector<Installation>& installations, std::string_view text) {
    for (const Installation& installation : installations)
        if (matches(installation, text)) return &installation;
    return nullptr;
}

}  // namespace kestrune::catalogue
