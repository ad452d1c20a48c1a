#include "catalogue/discovery.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "catalogue/release.hpp"
#include "catalogue/version.hpp"
#include "win/registry_key.hpp"
#include "win/utf.hpp"

namespace kestrune::catalogue {
namespace {

using win::RegistryError;
using win::RegistryResult;

// Where each generation of the IDE registered itself, oldest first.
constexpr std::array<std::wstring_view, 3> base_keys{
    L"Software\\Borland\\BDS",
    L"Software\\CodeGear\\BDS",
    L"Software\\Embarcadero\\BDS",
};

// Product name and personalities from the "Personalities" subkey; a missing subkey leaves both empty.
RegistryResult<void> read_personalities(HKEY version_key, Installation& installation) {
    auto key = win::open_key(version_key, L"Personalities");
    if (!key) return {};
    auto values = win::enum_values(key->get());
    if (!values) return std::unexpected(values.error());
    for (const win::RegistryValueData& value : *values) {
        // The default value, the product's name, comes with the others: every installation is
        // read at every start, and asking for it apart would ask the registry twice more.
        if (value.name.empty()) {
            auto product = value.wide_text();
            if (!product) return std::unexpected(product.error());
            installation.registry_product_name = win::to_utf8(*product);
        }
        for (const PersonalityInfo& personality : personality_table)
            if (win::to_utf8(value.name) == personality.registry_name) installation.personalities.insert(personality.value);
    }
    return {};
}

RegistryResult<void> read_update_number(HKEY version_key, Installation& installation) {
    auto key = win::open_key(version_key, L"InstalledUpdates");
    if (!key) return {};
    auto text = win::read_string_value(key->get(), L"Main Product Update");
    if (!text) return std::unexpected(text.error());
    installation.update_number = parse_update_number(win::to_utf8(text->value_or(std::wstring{})));
    return {};
}

RegistryResult<Installation> read_installation(std::wstring_view base_key, const std::wstring& version) {
    Installation installation;
    installation.base_key = win::to_utf8(base_key);
    installation.version = win::to_utf8(version);
    installation.version_key_name = version;

    auto key = win::open_key(HKEY_CURRENT_USER, installation.version_key_path());
    if (!key) return std::unexpected(key.error());

    if (auto done = read_personalities(key->get(), installation); !done) return std::unexpected(done.error());

    auto values = win::enum_values(key->get());
    if (!values) return std::unexpected(values.error());
    for (const win::RegistryValueData& value : *values)
        installation.registry_values.insert_or_assign(win::to_utf8(value.name), value.text().value_or(std::string{}));

    installation.release = find_release(installation.version);

    if (auto done = read_update_number(key->get(), installation); !done) return std::unexpected(done.error());
    return installation;
}

}  // namespace

std::expected<std::vector<Installation>, RegistryError> discover_installations() {
    std::vector<Installation> installations;
    for (std::wstring_view base_key : base_keys) {
        auto key = win::open_key(HKEY_CURRENT_USER, base_key);
        if (!key) continue;
        auto versions = win::enum_subkeys(key->get());
        if (!versions) return std::unexpected(versions.error());
        for (const std::wstring& version : *versions) {
            auto installation = read_installation(base_key, version);
            if (!installation) return std::unexpected(installation.error());
            installations.push_back(std::move(*installation));
        }
    }
    std::stable_sort(installations.begin(), installations.end(), [](const Installation& a, const Installation& b) {
        return version_number(a) < version_number(b);
    });
    return installations;
}

}  // namespace kestrune::catalogue
