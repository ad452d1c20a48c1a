#include "main/properties_json.hpp"

#include "bds/properties.hpp"
#include "output/json.hpp"

namespace kestrune::cli {

std::expected<std::string, CommandError> properties_json(const std::vector<const bds::Installation*>& list) {
    auto array = nlohmann::ordered_json::array();
    for (const auto* installation : list) {
        auto map = bds::properties(*installation);
        if (!map) return std::unexpected(CommandError{std::move(map.error()), {}});
        array.push_back(std::move(*map));
    }
    auto text = pretty_json(array);
    if (!text) return std::unexpected(CommandError{std::move(text.error()), {}});
    return std::move(*text);
}

}  // namespace kestrune::cli
