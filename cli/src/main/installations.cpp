#include "main/installations.hpp"

namespace kestrune::cli {

std::expected<std::any, std::string> parse_installation_name(const std::wstring&) {
    // The installation catalogue is not connected yet: no name can match.
    return std::unexpected(std::string("no installed RAD Studio matched"));
}

}  // namespace kestrune::cli
