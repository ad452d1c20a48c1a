#include "catalogue/discovery.hpp"

#include <gtest/gtest.h>

#include "catalogue/release.hpp"
#include "catalogue/version.hpp"
#include "scratch_registry.hpp"

namespace kestrune::catalogue {
namespace {

const std::wstring borland = L"Software\\Borland\\BDS";
const std::wstring codegear = L"Software\\CodeGear\\BDS";
const std::wstring embarcadero = L"Software\\Embarcadero\\BDS";

class DiscoveryTest : public testing::ScratchRegistry {
protected:
    std::vector<Installation> discover() {
        auto result = discover_installations();
        EXPECT_TRUE(result) << (result ? "" : result.error().message());
        return result ? std::move(*result) : std::vector<Installation>{};
    }
    HRESULT failure() {
        auto result = discover_installations();
        EXPECT_FALSE(result);
        return result ? 0 : result.error().code();
    }
};

TEST_F(DiscoveryTest, NoBaseKeyIsAnEmptyList) {
    create(L"Software\\Embarcadero");  // the maker's key without BDS
    EXPECT_TRUE(discover().empty());
}

TEST_F(DiscoveryTest, OrdersByVersionNumberThenDiscoveryOrder) {
    for (const wchar_t* v : {L"23.0", L"Globals", L"5"}) create(embarcadero + L"\\" + v);
    create(codegear + L"\\5.0");
    create(borland + L"\\5.0");

    const auto found = discover();
    std::vector<std::pair<std::string, std::string>> order;
    for (const Installation& i : found) order.emplace_back(i.base_key, i.version);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Software\\Embarcadero\\BDS", "Globals"},
        {"Software\\Borland\\BDS", "5.0"},
        {"Software\\CodeGear\\BDS", "5.0"},
        {"Software\\Embarcadero\\BDS", "5"},
        {"Software\\Embarcadero\\BDS", "23.0"},
    };
    EXPECT_EQ(order, expected);
    EXPECT_EQ(version_number(found[0]), 0u);
    ASSERT_NE(found[4].release, nullptr);
    EXPECT_EQ(found[4].release->product_version, "12");
    // "5.0" takes the row "5", as the installers of that release name their key.
    for (const std::size_t i : {1, 2, 3}) {
        ASSERT_NE(found[i].release, nullptr) << i;
        EXPECT_EQ(found[i].release->product_version, "2007") << i;
    }
}

TEST_F(DiscoveryTest, ReadsTheVersionKey) {
    const std::wstring key = embarcadero + L"\\23.0";
    create(key);
    set_string(key + L"\\Personalities", L"", L"RAD Studio 12");
    set_string(key + L"\\Personalities", L"Delphi.Win32", L"Delphi");
    set_dword(key + L"\\Personalities", L"BCB", 1);
    set_string(key + L"\\Personalities", L"Other", L"x");
    set_string(key, L"", L"default");
    set_string(key, L"rootdir", L"C:\\RAD\\");
    set_string(key, L"Edition", L"%EDITION%", REG_EXPAND_SZ);
    set_dword(key, L"Count", 3);
    set_string(key, L"Broken", std::wstring{L'a', static_cast<wchar_t>(0xDC00)});
    set_string(key + L"\\InstalledUpdates", L"Main Product Update", L"Release 1 Update 3 Update 4");

    const auto found = discover();
    ASSERT_EQ(found.size(), 1u);
    const Installation& i = found[0];
    EXPECT_EQ(i.registry_product_name, "RAD Studio 12");
    EXPECT_EQ(i.personalities, (EnumSet<Personality>{Personality::Delphi, Personality::CBuilder}));
    EXPECT_EQ(i.update_number, 3u);
    EXPECT_EQ(i.registry_value(""), "default");
    EXPECT_EQ(i.registry_value("RootDir"), "");  // names are matched case-sensitively
    EXPECT_EQ(i.registry_value("rootdir"), "C:\\RAD\\");
    EXPECT_EQ(i.registry_value("Edition"), "%EDITION%");
    EXPECT_TRUE(i.registry_values.contains("Count"));
    EXPECT_EQ(i.registry_value("Count"), "");
    EXPECT_TRUE(i.registry_values.contains("Broken"));
    EXPECT_EQ(i.registry_value("Broken"), "");
    EXPECT_EQ(i.registry_values.size(), 5u);
}

TEST_F(DiscoveryTest, PersonalityNamesAreCaseSensitive) {
    const std::wstring key = embarcadero + L"\\22.0\\Personalities";
    set_string(key, L"delphi.win32", L"");
    set_string(key, L"bcb", L"");
    const auto found = discover();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].personalities.empty());
    EXPECT_EQ(found[0].registry_product_name, "");
}

TEST_F(DiscoveryTest, MissingSubkeysLeaveDefaults) {
    create(embarcadero + L"\\21.0\\InstalledUpdates");  // no "Main Product Update"
    create(embarcadero + L"\\20.0\\Personalities");    // no default value
    set_string(embarcadero + L"\\19.0\\InstalledUpdates", L"Main Product Update", L"update 2");
    for (const Installation& i : discover()) {
        EXPECT_EQ(i.update_number, 0u) << i.version;
        EXPECT_EQ(i.registry_product_name, "") << i.version;
        EXPECT_TRUE(i.personalities.empty()) << i.version;
    }
}

TEST_F(DiscoveryTest, WrongValueTypesFailTheScan) {
    create(embarcadero + L"\\12.0");  // a good record before the bad one is discarded too
    set_dword(embarcadero + L"\\23.0\\Personalities", L"", 1);
    EXPECT_EQ(failure(), win::hresult_invalid_data);

    remove(embarcadero + L"\\23.0\\Personalities");
    set_dword(embarcadero + L"\\23.0\\InstalledUpdates", L"Main Product Update", 2);
    EXPECT_EQ(failure(), win::hresult_invalid_data);
}

}  // namespace
}  // namespace kestrune::catalogue
