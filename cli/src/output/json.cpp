#include "output/json.hpp"

namespace kestrune::cli {
namespace {

std::expected<std::string, std::string> dump(const nlohmann::ordered_json& value, int indent) {
    try {
        return value.dump(indent);
    } catch (const nlohmann::json::exception& e) {
        return std::unexpected(std::string(e.what()));
    }
}

}  // namespace

std::expected<std::string, std::string> pretty_json(const nlohmann::ordered_json& value) { return dump(value, 2); }

std::expected<std::string, std::string> compact_json(const nlohmann::ordered_json& value) { return dump(value, -1); }

}  // namespace kestrune::cli
