#include "catalogue/properties.hpp"

#include <new>
#include <utility>

#include "catalogue/paths.hpp"
#include "catalogue/product.hpp"
#include "catalogue/version.hpp"
#include "text/text.hpp"

namespace kestrune::catalogue {
namespace {

template <class E>
PropertyMap names(EnumSet<E> set) {
    PropertyMap out = PropertyMap::array();
    for (E value : set) out.push_back(std::string(name(value)));
    return out;
}

PropertyMap build(const Installation& installation, std::string root) {
    PropertyMap map = PropertyMap::object();
    map["is_known"] = installation.release != nullptr;
    map["version"] = installation.version;
    map["version_number"] = version_number(installation);
    map["compiler_version"] = compiler_version(installation);
    map["compiler_version_number"] = compiler_version_number(installation);
    map["package_version"] = package_version(installation);
    map["package_version_number"] = package_version_number(installation);
    map["product_family"] = product_family(installation);
    map["product_version"] = product_version(installation);
    map["product_name"] = product_name(installation);
    map["update_number"] = installation.update_number;
    map["name"] = name(installation);
    map["code_name"] = code_name(installation);
    map["full_name"] = full_name(installation);
    const std::optional<ProductEdition> e = edition(installation);
    map["edition"] = e ? PropertyMap(std::string(name(*e))) : PropertyMap(nullptr);
    map["display_name"] = display_name(installation);
    map["root_dir"] = std::move(root);
    map["personalities"] = names(installation.personalities);
    // The four sets of one map look at the installation's files once between them.
    InstallationFiles files(installation);
    map["architectures"] = names(architectures(files));
    map["ide_architectures"] = names(ide_architectures(files));
    map["platforms"] = names(platforms(files));
    map["ide_platforms"] = names(ide_platforms(files));
    return map;
}

}  // namespace

std::expected<PropertyMap, std::string> properties(const Installation& installation) {
    // The JSON library would store these bytes and only fail when the map is written out.
    std::string root = root_dir(installation);
    if (!text::is_valid_utf8(root)) return std::unexpected(std::string("path contains invalid UTF-8 characters"));
    try {
        return build(installation, std::move(root));
    } catch (const nlohmann::json::exception& e) {
        return std::unexpected(std::string(e.what()));
    } catch (const std::bad_alloc& e) {
        return std::unexpected(std::string(e.what()));
    }
}

}  // namespace kestrune::catalogue
