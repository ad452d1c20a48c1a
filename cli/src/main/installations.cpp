#include "main/installations.hpp"

#include <optional>

#include "catalogue/discovery.hpp"
#include "main/command_syntax.hpp"
#include "output/sink.hpp"

namespace kestrune::cli {

const std::vector<catalogue::Installation>& installations() {
    static const std::vector<catalogue::Installation> list = [] {
        auto found = catalogue::discover_installations();
        if (!found) fatal_stop(found.error().diagnostic());
        if (found->empty()) fatal_stop("No RAD Studio installations found");
        return std::move(*found);
    }();
    return list;
}

const catalogue::Installation& latest_installation() {
    static const catalogue::Installation& latest = installations().back();
    return latest;
}

std::expected<std::any, std::string> parse_installation_name(const std::wstring& raw) {
    return match_installation_name(installations(), raw);
}

}  // namespace kestrune::cli
