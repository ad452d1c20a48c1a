#include "catalogue/installation.hpp"

#include "win/utf.hpp"

namespace kestrune::catalogue {

std::string_view Installation::registry_value(std::string_view value_name) const {
    const auto it = registry_values.find(value_name);
    return it == registry_values.end() ? std::string_view{} : std::string_view{it->second};
}

std::wstring Installation::version_key_path() const {
    // A record made without the enumerated name must still open its own key, never the parent.
    return win::to_wide(base_key) + L"\\" + (version_key_name.empty() ? win::to_wide(version) : version_key_name);
}

}  // namespace kestrune::catalogue
