#include "main/installations.hpp"

#include <optional>

#include "bds/discovery.hpp"
#include "bds/find_installation.hpp"
#include "output/sink.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {

const std::vector<bds::Installation>& installations() {
    static const std::vector<bds::Installation> list = [] {
        auto found = bds::discover_installations();
        if (!found) fatal_stop(found.error().diagnostic());
        if (found->empty()) fatal_stop("No RAD Studio installations found");
        return std::move(*found);
    }();
    return list;
}

const bds::Installation& latest_installation() {
    static const bds::Installation& latest = installations().back();
    return latest;
}

std::expected<std::any, std::string> parse_installation_name(const std::wstring& raw) {
    if (const auto* match = bds::find_installation(installations(), win::to_utf8(raw)))
        return std::any(match);
    return std::unexpected(std::string("no installed RAD Studio matched"));
}

const bds::Installation& resolve_installation(App& app) {
    if (!app.installation) app.installation = app.name ? app.name : &latest_installation();
    return *app.installation;
}

}  // namespace kestrune::cli
