#include "main/properties_json.hpp"

#include "catalogue/properties.hpp"
#include "output/json.hpp"

namespace kestrune::cli {

std::expected<std::string, CommandError> properties_json(const std::vector<const catalogue::Installation*>& list) {
    auto array = nlohmann::ordered_json::array();
    for (const auto* installation : list) {
        auto map = catalogue::properties(*installation);
        if (!map) return std::unexpected(CommandError{std::move(map.error()), {}});
        array.push_back(std::move(*map));
    }
    auto text = pretty_json(array);
    if (!text) return std::unexpected(CommandError{std::move(text.error()), {}});
    return std::move(*text);
}

}  // namespace kestrune::cli
