#include "catalogue/find_installation.hpp"

#include <gtest/gtest.h>

#include "catalogue/release.hpp"

namespace kestrune::catalogue {
namespace {

Installation installation(std::string base, std::string version, std::uint32_t update = 0, std::string stored = {}) {
    Installation i;
    i.base_key = std::move(base);
    i.version = std::move(version);
    i.release = find_release(i.version);
    i.update_number = update;
    i.registry_product_name = std::move(stored);
    return i;
}

// In discovery order: ascending version number, the Borland copy of 37.0 before the Embarcadero one.
const std::vector<Installation> list{
    installation("Software\\Embarcadero\\BDS", "9.0"),                     // RAD Studio XE2, no code name
    installation("Software\\Embarcadero\\BDS", "23.0", 1),                 // RAD Studio 12.1 Athens
    installation("Software\\Embarcadero\\BDS", "24.0"),                    // RAD Studio <24.0>
    installation("Software\\Embarcadero\\BDS", "25.0", 0, "Studio \xC3\x84rger"),  // stored name with Ä
    installation("Software\\Borland\\BDS", "37.0"),                        // RAD Studio 13 Florence
    installation("Software\\Embarcadero\\BDS", "37.0"),
};

TEST(FindInstallation, MatchesAnyOfTheSixNamesIgnoringAsciiCase) {
    struct Case {
        std::string_view text;
        int index;  // -1: no match
    } cases[] = {
        {"13", 4},                       // product version
        {"florence", 4},                 // code name
        {"rad studio 13", 4},            // product name; the earlier of two equal installations
        {"RAD STUDIO 13 FLORENCE", 4},   // full name
        {"RAD Studio 12.1", 1},          // name with its update
        {"12.1", 1},                     // name without its family
        {"12", 1},
        {"RAD Studio 12", 1},
        {"Athens", 1},
        {"xe2", 0},
        {"<24.0>", 2},
        {"RAD Studio <24.0>", 2},
        {"", 0},                         // the first empty code name
        {"13 ", -1},                     // not trimmed
        {" 13", -1},
        {"23.0", -1},                    // the version key is not a name
        {"RAD Studio 13.0", -1},
        {"studio \xC3\x84RGER", 3},      // ASCII letters fold
        {"Studio \xC3\xA4rger", -1},     // a non-ASCII letter does not
        {"Athen", -1},
    };
    for (const Case& c : cases) {
        const Installation* found = find_installation(list, c.text);
        const Installation* expected = c.index < 0 ? nullptr : &list[static_cast<std::size_t>(c.index)];
        EXPECT_EQ(found, expected) << '"' << c.text << '"';
    }
}

TEST(FindInstallation, EmptyTextNeedsAnInstallationWithoutCodeName) {
    const std::vector<Installation> named{installation("Software\\Embarcadero\\BDS", "23.0"),
                                          installation("Software\\Embarcadero\\BDS", "37.0")};
    EXPECT_EQ(find_installation(named, ""), nullptr);
    EXPECT_EQ(find_installation({}, "13"), nullptr);
}

TEST(FindInstallation, FamilyIsRemovedWhereverItOccurs) {
    // An unknown release keeps its stored name; every "RAD Studio" in it goes, then the ends are trimmed.
    const std::vector<Installation> stored{
        installation("Software\\Embarcadero\\BDS", "24.0", 2, "RAD Studio Next RAD Studio")};
    EXPECT_EQ(find_installation(stored, "next.2"), nullptr);  // the blank before the second family stays
    EXPECT_EQ(find_installation(stored, "next .2"), &stored[0]);
    EXPECT_EQ(find_installation(stored, "RAD Studio Next RAD Studio.2"), &stored[0]);
}

}  // namespace
}  // namespace kestrune::catalogue
