#include "catalogue/registry_locations.hpp"

#include "catalogue/version.hpp"
#include "win/utf.hpp"

namespace kestrune::catalogue {
namespace {

// Creates or opens the subkey below the installation key. The installation key is only
// a parent here, so it is closed again whatever the outcome.
win::RegistryResult<RegistryKey> installation_subkey(const Installation& installation, const std::string& subkey) {
    const auto parent = open_installation_key(installation);
    if (!parent) return std::unexpected(parent.error());
    return win::create_key(parent->get(), win::to_wide(subkey));
}

}  // namespace

win::RegistryResult<RegistryKey> open_installation_key(const Installation& installation) {
    return win::open_key(HKEY_CURRENT_USER, installation.version_key_path());
}

win::RegistryResult<RegistryKey> known_packages_key(const Installation& installation, Architecture architecture) {
    return installation_subkey(installation, "Known Packages" + std::string(info(architecture).key_suffix));
}

win::RegistryResult<RegistryValueLocation> environment_variables_location(const Installation& installation,
                                                                          Architecture architecture) {
    auto key = installation_subkey(installation, "Environment Variables" + std::string(info(architecture).key_suffix));
    if (!key) return std::unexpected(key.error());
    return RegistryValueLocation{std::move(*key), {"Path", false}};
}

win::RegistryResult<RegistryKey> library_key(const Installation& installation, Platform platform) {
    // Before XE2 the IDE built for Win32 alone and kept that platform's paths in "Library" itself.
    // A key whose name is no version number (0) tells nothing of the IDE's age.
    constexpr std::uint32_t first_with_platform_keys = 9;
    const std::uint32_t version = version_number(installation);
    if (platform == Platform::Win32 && version != 0 && version < first_with_platform_keys)
        return installation_subkey(installation, "Library");
    return installation_subkey(installation, "Library\\" + std::string(name(platform)));
}

win::RegistryResult<RegistryValueLocation> user_path_location() {
    auto key = win::create_key(HKEY_CURRENT_USER, L"Environment");
    if (!key) return std::unexpected(key.error());
    return RegistryValueLocation{std::move(*key), {"Path", true}};
}

}  // namespace kestrune::catalogue
