#include "catalogue/registry_locations.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/discovery.hpp"
#include "catalogue/path_list.hpp"
#include "scratch_registry.hpp"

namespace kestrune::catalogue {
namespace {

const std::wstring version_key = L"Software\\Embarcadero\\BDS\\23.0";

Installation installation() {
    Installation i;
    i.base_key = "Software\\Embarcadero\\BDS";
    i.version = "23.0";
    i.version_key_name = L"23.0";
    return i;
}

class RegistryLocationsTest : public testing::ScratchRegistry {
protected:
    void SetUp() override {
        ScratchRegistry::SetUp();
        create(version_key);
    }
};

TEST_F(RegistryLocationsTest, InstallationKeyIsOpenedForReadingOnly) {
    auto key = open_installation_key(installation());
    ASSERT_TRUE(key);
    ASSERT_TRUE(*key);
    EXPECT_FALSE(win::write_string_value(key->get(), L"x", L"y", false));
}

TEST_F(RegistryLocationsTest, ARecordWithoutTheEnumeratedNameOpensItsOwnKeyNotTheParent) {
    Installation i = installation();
    i.version_key_name.clear();
    ASSERT_TRUE(known_packages_key(i, Architecture::x86));
    EXPECT_TRUE(exists(version_key + L"\\Known Packages"));
    EXPECT_FALSE(exists(L"Software\\Embarcadero\\BDS\\Known Packages"));
}

TEST_F(RegistryLocationsTest, SubkeysAreCreatedUnderTheInstallationKey) {
    ASSERT_TRUE(known_packages_key(installation(), Architecture::x86));
    ASSERT_TRUE(known_packages_key(installation(), Architecture::x64));
    EXPECT_TRUE(exists(version_key + L"\\Known Packages"));
    EXPECT_TRUE(exists(version_key + L"\\Known Packages x64"));

    ASSERT_FALSE(exists(version_key + L"\\Library"));
    auto library = library_key(installation(), Platform::WinARM64EC);
    ASSERT_TRUE(library);
    EXPECT_TRUE(exists(version_key + L"\\Library\\WinARM64EC"));
    ASSERT_TRUE(write_path_list(*library, {"Search Path", false}, {L"c:\\lib"}));
    EXPECT_EQ(stored(version_key + L"\\Library\\WinARM64EC", L"Search Path")->type, static_cast<DWORD>(REG_SZ));
    ASSERT_TRUE(library_key(installation(), Platform::Win64));  // "Library" exists now
    EXPECT_TRUE(exists(version_key + L"\\Library\\Win64"));
}

// Before XE2 the IDE had one platform and kept its paths in "Library" itself.
TEST_F(RegistryLocationsTest, Win32LibraryOfAnIdeBeforeXe2IsTheLibraryKeyItself) {
    struct Case {
        std::string version;
        Platform platform;
        std::wstring subkey;
    };
    const Case cases[] = {
        {"4.0", Platform::Win32, L"Library"},       {"5", Platform::Win32, L"Library"},
        {"8.0", Platform::Win32, L"Library"},       {"8.0", Platform::Win64, L"Library\\Win64"},
        {"9.0", Platform::Win32, L"Library\\Win32"}, {"23.0", Platform::Win32, L"Library\\Win32"},
        {"Globals", Platform::Win32, L"Library\\Win32"},  // no version number tells no age
    };
    for (const Case& c : cases) {
        Installation i = installation();
        i.version = c.version;
        i.version_key_name = std::wstring(c.version.begin(), c.version.end());
        const std::wstring key = L"Software\\Embarcadero\\BDS\\" + i.version_key_name;
        create(key);
        auto library = library_key(i, c.platform);
        ASSERT_TRUE(library) << c.version;
        ASSERT_TRUE(write_path_list(*library, {"Search Path", false}, {L"c:\\lib"})) << c.version;
        const auto written = stored(key + L"\\" + c.subkey, L"Search Path");
        ASSERT_TRUE(written) << c.version;
        EXPECT_EQ(written->units(), std::wstring(L"c:\\lib", 7)) << c.version;
        if (c.subkey == L"Library") {
            EXPECT_FALSE(exists(key + L"\\Library\\Win32")) << c.version;
        }
        remove(key);
    }
}

TEST_F(RegistryLocationsTest, PathLocationsWriteTheirOwnType) {
    auto ide = environment_variables_location(installation(), Architecture::x64);
    ASSERT_TRUE(ide);
    EXPECT_EQ(ide->value.name, "Path");
    ASSERT_TRUE(write_path_list(ide->key, ide->value, {L"%BDS%\\bin", L"c:\\a"}));
    const auto ide_path = stored(version_key + L"\\Environment Variables x64", L"Path");
    ASSERT_TRUE(ide_path);
    EXPECT_EQ(ide_path->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ide_path->units(), std::wstring(L"%BDS%\\bin;c:\\a", 15));
    EXPECT_FALSE(exists(version_key + L"\\Environment Variables"));

    auto user = user_path_location();
    ASSERT_TRUE(user);
    EXPECT_EQ(user->value.name, "Path");
    ASSERT_TRUE(write_path_list(user->key, user->value, {L"%USERPROFILE%\\bin"}));
    const auto user_path = stored(L"Environment", L"Path");
    ASSERT_TRUE(user_path);
    EXPECT_EQ(user_path->type, static_cast<DWORD>(REG_EXPAND_SZ));
    const auto read = read_path_list(user->key, user->value);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, std::vector<std::wstring>{L"%USERPROFILE%\\bin"});  // never expanded
}

TEST_F(RegistryLocationsTest, DeletedVersionKeyFailsAndCreatesNothing) {
    remove(version_key);
    const auto key = open_installation_key(installation());
    ASSERT_FALSE(key);
    EXPECT_EQ(key.error().code(), win::hresult_not_found);

    const auto packages = known_packages_key(installation(), Architecture::x86);
    ASSERT_FALSE(packages);
    EXPECT_EQ(packages.error().code(), win::hresult_not_found);
    const auto library = library_key(installation(), Platform::Win32);
    ASSERT_FALSE(library);
    const auto env = environment_variables_location(installation(), Architecture::x86);
    ASSERT_FALSE(env);
    EXPECT_EQ(env.error().code(), win::hresult_not_found);
    EXPECT_FALSE(exists(version_key));
}

// Discovery finds a version key whose name is not valid UTF-16; every settings key must be
// opened by that same name, not by its U+FFFD form.
TEST_F(RegistryLocationsTest, KeyNamedWithAnUnpairedSurrogateOpensByItsOwnName) {
    remove(version_key);
    const std::wstring odd = version_key + static_cast<wchar_t>(0xD800);
    create(odd);
    const auto found = discover_installations();
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1u);
    const Installation& i = found->front();
    EXPECT_EQ(i.version, "23.0\xEF\xBF\xBD");

    ASSERT_TRUE(open_installation_key(i));
    ASSERT_TRUE(known_packages_key(i, Architecture::x64));
    const auto env = environment_variables_location(i, Architecture::x86);
    ASSERT_TRUE(env);
    ASSERT_TRUE(write_path_list(env->key, env->value, {L"c:\\tools"}));
    const auto library = library_key(i, Platform::Win64);
    ASSERT_TRUE(library);
    ASSERT_TRUE(write_path_list(*library, {"Search Path", false}, {L"c:\\lib"}));

    EXPECT_TRUE(exists(odd + L"\\Known Packages x64"));
    EXPECT_EQ(stored(odd + L"\\Environment Variables", L"Path")->units(), std::wstring(L"c:\\tools", 9));
    EXPECT_EQ(stored(odd + L"\\Library\\Win64", L"Search Path")->units(), std::wstring(L"c:\\lib", 7));
    EXPECT_FALSE(exists(version_key + L"\uFFFD"));
}

TEST_F(RegistryLocationsTest, EnumeratesALocation) {
    set_string(version_key + L"\\Environment Variables", L"BDSLIB", L"c:\\lib");
    set_dword(version_key + L"\\Environment Variables", L"Flag", 1);
    create(version_key + L"\\Environment Variables\\Nested");
    auto env = environment_variables_location(installation(), Architecture::x86);
    ASSERT_TRUE(env);

    const auto subkeys = win::enum_subkeys(env->key.get());
    ASSERT_TRUE(subkeys);
    EXPECT_EQ(*subkeys, std::vector<std::wstring>{L"Nested"});

    auto values = win::enum_values(env->key.get());
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), 2u);
    std::sort(values->begin(), values->end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    EXPECT_EQ((*values)[0].name, L"BDSLIB");
    EXPECT_EQ((*values)[0].text(), "c:\\lib");
    EXPECT_EQ((*values)[1].text().error().code(), win::hresult_invalid_data);
}

}  // namespace
}  // namespace kestrune::catalogue
